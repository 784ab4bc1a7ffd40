#include "app/ProgramCursor.h"

#include "services/CursorTable.h"

namespace plover {

namespace {
long g_liveCursors = 0;
}  // namespace

HCURSOR LoadProgramCursor(int cursorNo)
{
    const int resource = CursorResourceFor(cursorNo);
    HCURSOR cursor = nullptr;
    if (resource != 0)
        cursor = static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(resource), IMAGE_CURSOR, 0, 0,
                                                   LR_DEFAULTSIZE));
    if (!cursor)
        return ::LoadCursorW(nullptr, IDC_ARROW);
    ++g_liveCursors;
    return cursor;
}

void DestroyProgramCursor(HCURSOR cursor)
{
    if (!cursor || cursor == ::LoadCursorW(nullptr, IDC_ARROW))
        return;
    ::DestroyCursor(cursor);
    // Counted whatever the platform answers, so a cursor destroyed twice shows.
    --g_liveCursors;
}

long LiveProgramCursors()
{
    return g_liveCursors;
}

}  // namespace plover
