#include "services/CursorTable.h"

#include "resource.h"

namespace plover {

const CursorRow kCursorTable[kCursorCount] = {
    {L"彗星（モノクロ）", 1, IDC_CURSOR_COMET_MONO, IDB_PREVIEW_COMET_MONO},
    {L"彗星（カラー）", 2, IDC_CURSOR_COMET_COLOR, IDB_PREVIEW_COMET_COLOR},
    {L"流れ星（モノクロ）", 3, IDC_CURSOR_SHOOTING_MONO, IDB_PREVIEW_SHOOTING_MONO},
    {L"流れ星（カラー）", 4, IDC_CURSOR_SHOOTING_COLOR, IDB_PREVIEW_SHOOTING_COLOR},
    {L"惑星（モノクロ）", 5, IDC_CURSOR_PLANET_MONO, IDB_PREVIEW_PLANET_MONO},
    {L"惑星（カラー）", 6, IDC_CURSOR_PLANET_COLOR, IDB_PREVIEW_PLANET_COLOR},
    {L"ｸｪｰｻｰ（モノクロ）", 7, IDC_CURSOR_QUASAR_MONO, IDB_PREVIEW_QUASAR_MONO},
    {L"ｸｪｰｻｰ（カラー）", 8, IDC_CURSOR_QUASAR_COLOR, IDB_PREVIEW_QUASAR_COLOR},
    {L"流星群（モノクロ）", 9, IDC_CURSOR_SHOWER_MONO, IDB_PREVIEW_SHOWER_MONO},
    {L"流星群（カラー）", 10, IDC_CURSOR_SHOWER_COLOR, IDB_PREVIEW_SHOWER_COLOR},
    {L"ときめき（モノクロ）", 11, IDC_CURSOR_HEART_MONO, IDB_PREVIEW_HEART_MONO},
    {L"ときめき（カラー）", 12, IDC_CURSOR_HEART_COLOR, IDB_PREVIEW_HEART_COLOR},
};

int CursorResourceFor(int cursorNo)
{
    if (cursorNo < 1 || cursorNo > kCursorCount)
        return 0;
    return kCursorTable[cursorNo - 1].cursorResource;
}

}  // namespace plover
