// Message boxes with the program's title.  Tests replace the platform's box to
// read what the user would have been shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace plover {

struct MessageRecord {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

int ShowMessage(HWND owner, const std::wstring& text, UINT type);

// While set, ShowMessage calls this instead of the platform and returns its answer.
void SetMessageBoxHook(std::function<int(const MessageRecord&)> hook);

// The caption of every box: the program's title, told once at start.
void SetAppTitle(std::wstring title);
std::wstring AppTitle();

}  // namespace plover
