// The constellations that culminate in the evening of each month: the guide's
// rows, with the moment of culmination and a short description.  Read-only data
// that needs no window.
#pragma once

#include <cstddef>

namespace plover {

// Every text is shown as it stands, in full-width figures ("１２", "００").
struct ConstellationRow {
    const wchar_t* name;
    const wchar_t* month;
    const wchar_t* day;
    const wchar_t* hour;
    const wchar_t* minute;
    const wchar_t* description;
};

// One month's rows, in the order the guide lists them.
struct ConstellationList {
    const ConstellationRow* rows = nullptr;
    std::size_t count = 0;

    const ConstellationRow* begin() const { return rows; }
    const ConstellationRow* end() const { return rows + count; }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    // The row at a list box index, or null for none (-1 included).
    const ConstellationRow* At(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < count ? rows + index : nullptr;
    }
};

// The rows of `month` 1..12; no rows for any other month.
ConstellationList ConstellationsOfMonth(int month);

}  // namespace plover
