#include "app/CursorTable.h"

namespace plover {

const CursorRow kCursorTable[kCursorCount] = {
    {L"彗星（モノクロ）", 1, 156, 143},
    {L"彗星（カラー）", 2, 145, 142},
    {L"流れ星（モノクロ）", 3, 157, 144},
    {L"流れ星（カラー）", 4, 146, 137},
    {L"惑星（モノクロ）", 5, 158, 145},
    {L"惑星（カラー）", 6, 147, 138},
    {L"ｸｪｰｻｰ（モノクロ）", 7, 159, 146},
    {L"ｸｪｰｻｰ（カラー）", 8, 148, 139},
    {L"流星群（モノクロ）", 9, 160, 147},
    {L"流星群（カラー）", 10, 149, 140},
    {L"ときめき（モノクロ）", 11, 161, 148},
    {L"ときめき（カラー）", 12, 150, 141},
};

int CursorResourceFor(int cursorNo)
{
    if (cursorNo < 1 || cursorNo > kCursorCount)
        return 0;
    return kCursorTable[cursorNo - 1].cursorResource;
}

}  // namespace plover
