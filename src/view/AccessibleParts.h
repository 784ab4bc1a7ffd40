// What a screen reader finds in the countdown view, which paints its panels itself:
// the panels shown, in the order they are drawn, each with its kind, its rectangle
// and the name it is read by; and what changed between two layouts, for the events
// that tell a reader to read again.
#pragma once

#include <string>
#include <vector>

#include "framework/Geometry.h"

namespace plover {

enum class PartKind {
    Date,       // static text: the date sentence
    Target,     // static text: the countdown as one sentence
    MonthList,  // the list view, which is an accessible object of its own
    Clock,      // the time shown, read when asked: never kept here
    Picture,    // graphic: the target entry's name
};

struct AccessiblePart {
    PartKind kind = PartKind::Date;
    Rect rect;          // the panel, in the view's client pixels
    std::wstring name;  // empty for the list and the clock
};

// Child ids are 1-based positions in the list of parts; 0 is the view itself.
struct PartChanges {
    // Parts came, went or changed places: the children are to be read anew.
    bool reordered = false;
    // Same parts in the same places: the ids whose names changed.
    std::vector<long> renamed;
};

PartChanges CompareParts(const std::vector<AccessiblePart>& before,
                         const std::vector<AccessiblePart>& after);

}  // namespace plover
