#include "app/ProgramCursor.h"

#include "app/CursorTable.h"

namespace plover {

HCURSOR LoadProgramCursor(int cursorNo)
{
    const int resource = CursorResourceFor(cursorNo);
    HCURSOR cursor = nullptr;
    if (resource != 0)
        cursor = static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(resource), IMAGE_CURSOR, 0, 0,
                                                   LR_DEFAULTSIZE));
    return cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
}

void DestroyProgramCursor(HCURSOR cursor)
{
    if (cursor && cursor != ::LoadCursorW(nullptr, IDC_ARROW))
        ::DestroyCursor(cursor);
}

}  // namespace plover
