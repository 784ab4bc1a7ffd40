#include "framework/MessageBox.h"

#include <utility>

#include "framework/TextConv.h"
#include "resource.h"

namespace plover {

namespace {
std::function<int(const MessageRecord&)>& Hook()
{
    static std::function<int(const MessageRecord&)> hook;
    return hook;
}
}  // namespace

std::wstring AppTitle()
{
    std::wstring title = LoadResString(IDS_APP_TITLE);
    return title.empty() ? L"Plover" : title;
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
