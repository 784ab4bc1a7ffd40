// What the countdown view asks of the window around it: the double click hides
// the menu bar, then the title bar, then shows both again.
#pragma once

namespace plover {

class IBarHost {
public:
    virtual ~IBarHost() = default;
    virtual void ShowMenu(bool show) = 0;
    virtual void ShowTitleBar(bool show) = 0;
};

}  // namespace plover
