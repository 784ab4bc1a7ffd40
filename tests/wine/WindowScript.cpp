#include "WindowScript.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "framework/Gdi.h"

namespace plover::test {

namespace {

struct Script {
    std::function<HWND()> find;
    std::deque<WindowStep> steps;
};

Script& CurrentScript()
{
    static Script script;
    return script;
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    Script& script = CurrentScript();
    const HWND window = script.find ? script.find() : nullptr;
    if (!window || script.steps.empty())
        return;
    const WindowStep step = std::move(script.steps.front());
    script.steps.pop_front();
    step(window);
}

struct WindowQuery {
    const wchar_t* caption;  // none: a property sheet
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    if (!::IsWindowVisible(window))
        return TRUE;
    if (query.caption ? TitleOf(window) != query.caption
                      : !::FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr))
        return TRUE;
    query.found = window;
    return FALSE;
}

HWND FindThreadWindow(const wchar_t* caption)
{
    WindowQuery query{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

}  // namespace

CWindowScript::CWindowScript(std::function<HWND()> find, std::deque<WindowStep> steps)
{
    CurrentScript() = Script{std::move(find), std::move(steps)};
    m_nTimer = ::SetTimer(nullptr, 0, 20, RunNextStep);
}

CWindowScript::~CWindowScript()
{
    ::KillTimer(nullptr, m_nTimer);
    EXPECT_TRUE(CurrentScript().steps.empty()) << "the window closed before its last step";
    CurrentScript() = Script{};
}

HWND ShownPropertySheet()
{
    return FindThreadWindow(nullptr);
}

HWND ShownDialog(const wchar_t* caption)
{
    return FindThreadWindow(caption);
}

void ExpectNothingLeftBehind(const std::function<void()>& open, int cycles)
{
    open();
    const long gdi = LiveGdiObjects();
    const DWORD userHandles = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < cycles && !::testing::Test::HasFatalFailure(); ++i)
        open();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), userHandles + 10);
}

}  // namespace plover::test
