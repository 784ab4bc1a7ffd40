#include "app/ProgramCursor.h"

#include "framework/DpiScale.h"
#include "resource.h"
#include "services/CursorTable.h"

namespace plover {

namespace {
constexpr int kCursorBaseSize = 32;
}  // namespace

CCursor LoadProgramCursor(int cursorNo, int dpi)
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
        cursor = load(ScaledResourceId(resource, AssetSetForDpi(dpi), ID_ASSET_SET_STEP), size);
        if (!cursor)
            cursor = load(resource, size);
    }
    if (!cursor)
        return CCursor::Shared(::LoadCursorW(nullptr, IDC_ARROW));
    return CCursor::Owned(cursor);
}

}  // namespace plover
