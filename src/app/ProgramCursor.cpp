#include "app/ProgramCursor.h"

#include "framework/DpiScale.h"
#include "services/CursorTable.h"

namespace plover {

namespace {
long g_liveCursors = 0;
constexpr int kCursorBaseSize = 32;
}  // namespace

HCURSOR LoadProgramCursor(int cursorNo, int dpi)
{
    const int resource = CursorResourceFor(cursorNo);
    HCURSOR cursor = nullptr;
    const auto load = [](int id, int size) {
        return static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                 IMAGE_CURSOR, size, size, 0));
    };
    if (resource != 0) {
        // The set of this DPI, scaled down by the platform between sets.
        const int size = ScaleToDpi(kCursorBaseSize, dpi);
        cursor = load(ScaledResourceId(resource, AssetSetForDpi(dpi)), size);
        if (!cursor)
            cursor = load(resource, size);
    }
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
