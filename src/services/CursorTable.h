// The twelve star cursors: list text, cursor resource and preview picture of each
// cursor number.  Odd numbers are the monochrome cursors, even ones the colour ones.
#pragma once

namespace plover {

struct CursorRow {
    const wchar_t* listText;
    int cursorNo;
    int cursorResource;
    int previewBitmap;
};

inline constexpr int kCursorCount = 12;
extern const CursorRow kCursorTable[kCursorCount];

// The cursor resource of a cursor number, or 0 (the standard arrow) outside 1..12.
int CursorResourceFor(int cursorNo);

}  // namespace plover
