// Acting on a modal window from inside its own loop, as a user would.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace plover::test {

// Steps run one per tick of a timer of this thread once `find` sees its window,
// so the window's own modal loop dispatches them as it would a user's input.  One
// script at a time; the destructor expects every step to have run.
using WindowStep = std::function<void(HWND window)>;
class CWindowScript {
public:
    CWindowScript(std::function<HWND()> find, std::deque<WindowStep> steps);
    ~CWindowScript();
    CWindowScript(const CWindowScript&) = delete;
    CWindowScript& operator=(const CWindowScript&) = delete;

private:
    UINT_PTR m_nTimer = 0;
};

// This thread's shown property sheet, or shown dialog with this caption.
HWND ShownPropertySheet();
HWND ShownDialog(const wchar_t* caption);

}  // namespace plover::test
