#include "framework/MessageBox.h"

#include <utility>


namespace plover {

namespace {
std::function<int(const MessageRecord&)>& Hook()
{
    static std::function<int(const MessageRecord&)> hook;
    return hook;
}

std::wstring& Title()
{
    static std::wstring title;
    return title;
}
}  // namespace

void SetAppTitle(std::wstring title)
{
    Title() = std::move(title);
}

std::wstring AppTitle()
{
    return Title();
}

int ShowMessage(HWND owner, const std::wstring& text, UINT type)
{
    const MessageRecord record{text, AppTitle(), type};
    if (Hook())
        return Hook()(record);
    return ::MessageBoxW(owner, record.text.c_str(), record.caption.c_str(), type);
}

void SetMessageBoxHook(std::function<int(const MessageRecord&)> hook)
{
    Hook() = std::move(hook);
}

}  // namespace plover
