// Acting on a modal window from inside its own loop, as a user would.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <utility>

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

// A dialog that does what a user would first (`act`, once its controls are
// filled) and is cancelled as soon as its own loop has shown and painted it.
template <class Dialog>
class CCancelAtOnce : public Dialog {
public:
    template <class... Args>
    explicit CCancelAtOnce(std::function<void(HWND)> act, Args&&... args)
        : Dialog(std::forward<Args>(args)...), m_Act(std::move(act))
    {
    }

protected:
    bool OnInitDialog() override
    {
        const bool result = Dialog::OnInitDialog();
        m_Act(this->m_hWnd);
        ::PostMessageW(this->m_hWnd, kCancelNow, 0, 0);
        return result;
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        if (message != kCancelNow)
            return Dialog::OnMessage(message, wParam, lParam, result);
        ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::SendMessageW(this->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return true;
    }

private:
    static constexpr UINT kCancelNow = WM_APP + 1;
    std::function<void(HWND)> m_Act;
};

// Runs `open` once (what it makes for good, such as fonts kept for the run),
// then `cycles` times more: no more GDI objects, menus, cursors or windows of this
// thread are alive than after the first.
void ExpectNothingLeftBehind(const std::function<void()>& open, int cycles);

}  // namespace plover::test
