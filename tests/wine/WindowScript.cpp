#include "WindowScript.h"

#include <commctrl.h>

#include <array>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "app/ProgramCursor.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"

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

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count)
{
    ::EnumChildWindows(window, CountWindow, count);
    return CountWindow(window, count);
}

// What is alive: GDI objects, menus and cursors through the program's own counts
// (Wine's GetGuiResources always says 0), and this thread's windows, children too.
std::array<long, 4> LiveHandles()
{
    long windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWithChildren,
                        reinterpret_cast<LPARAM>(&windows));
    return {LiveGdiObjects(), CMenu::Live(), CCursor::Live(), windows};
}

}  // namespace

void ExpectNothingLeftBehind(const std::function<void()>& open, int cycles)
{
    open();
    const auto before = LiveHandles();
    for (int i = 0; i < cycles && !::testing::Test::HasFatalFailure(); ++i)
        open();
    const auto after = LiveHandles();
    const char* names[] = {"GDI objects", "menus", "cursors", "windows"};
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i]) << names[i] << " left behind";
}

}  // namespace plover::test
