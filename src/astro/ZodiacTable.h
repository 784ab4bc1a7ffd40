// The zodiac sign of each month: its name, its picture and where to find it in
// the sky.
#pragma once

namespace plover {

struct ZodiacRow {
    int month;
    const wchar_t* name;
    int bitmap;
    const wchar_t* description;
};

inline constexpr int kZodiacCount = 12;
extern const ZodiacRow kZodiacTable[kZodiacCount];

// The sign of `month`, or null outside 1..12.
const ZodiacRow* ZodiacForMonth(int month);

}  // namespace plover
