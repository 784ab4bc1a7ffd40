// What the end-to-end tests share: waiting while this thread's messages run,
// messages to the program's windows, a window of the test's own to switch to, and
// dates relative to today.  A helper that talks to the program fails the test
// where a message times out, rather than reading the timeout as an answer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace plover::test {

// Runs this thread's messages while the test waits, so a window of the test
// process can be activated and laid over Plover.
void Pump(DWORD ms);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// A message to a window of the program, which may be in a modal loop.  A message
// that is not answered (a stuck handler, a window gone) fails the test and reads 0.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A user's actions on a dialog of the program, posted so they reach its queue in
// order (keys typed into an edit arrive before a button pressed after them): a
// click on a push button, text typed into an edit (over what it holds unless
// `replace` is false), and a click on row `row` of a list box.
void Press(HWND dialog, UINT id);
void Type(HWND dialog, UINT id, const std::wstring& text, bool replace = true);
void PostRowChoice(HWND dialog, UINT listId, int row);

bool HasCaption(HWND window);
// A control's rectangle in its dialog's client pixels.
RECT ItemRect(HWND dialog, int id);

// A plain top-level window of the test process: the "other window" a user
// switches to, or one that covers Plover.
class COtherWindow {
public:
    explicit COtherWindow(const RECT& r);
    ~COtherWindow() { ::DestroyWindow(m_hWnd); }
    COtherWindow(const COtherWindow&) = delete;
    COtherWindow& operator=(const COtherWindow&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// The local date `days` after today.
SYSTEMTIME LocalDateIn(int days);

}  // namespace plover::test
