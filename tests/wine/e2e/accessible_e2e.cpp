// The countdown window as a screen reader reads it from its own process: the
// accessible objects from the main window down, their names and places, and the
// event that tells the reader to read the countdown again.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "framework/ComRef.h"
#include "resource.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

using namespace plover;
using namespace plover::test;

namespace {

struct Heard {
    std::wstring name;
    RECT place{};
};

std::wstring NameOf(IAccessible* object, LONG child)
{
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(id, &name) == S_OK && name)
        text = name;
    ::SysFreeString(name);
    return text;
}

RECT PlaceOf(IAccessible* object, LONG child)
{
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    LONG x = 0, y = 0, w = 0, h = 0;
    object->accLocation(&x, &y, &w, &h, id);
    return RECT{x, y, x + w, y + h};
}

// Every name below `object`, as a reader walks it: the children of each object,
// and for a window object (whose children this platform's standard objects do not
// list) the client object of its window.
void Walk(IAccessible* object, std::vector<Heard>& heard, int depth = 0)
{
    LONG count = 0;
    if (depth > 6 || FAILED(object->get_accChildCount(&count)) || count <= 0)
        return;
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    if (FAILED(::AccessibleChildren(object, 0, count, children.data(), &got)))
        return;
    for (LONG i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_I4) {
            heard.push_back({NameOf(object, child.lVal), PlaceOf(object, child.lVal)});
        } else if (child.vt == VT_DISPATCH && child.pdispVal) {
            CComRef<IAccessible> inner;
            child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                           reinterpret_cast<void**>(inner.Receive()));
            HWND window = nullptr;
            if (inner && SUCCEEDED(::WindowFromAccessibleObject(inner.Get(), &window)) && window) {
                CComRef<IAccessible> client;
                if (SUCCEEDED(::AccessibleObjectFromWindow(
                        window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                        reinterpret_cast<void**>(client.Receive()))) &&
                    client.Get() != object)
                    Walk(client.Get(), heard, depth + 1);
            }
        }
        ::VariantClear(&child);
    }
}

const Heard* Find(const std::vector<Heard>& heard, const std::wstring& name)
{
    for (const Heard& h : heard)
        if (h.name == name)
            return &h;
    return nullptr;
}

RECT OnScreen(HWND view, const Rect& r)
{
    RECT s{r.left, r.top, r.right, r.bottom};
    ::MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&s), 2);
    return s;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.right > inner.left && inner.bottom > inner.top;
}

struct NameEvent {
    HWND window;
    LONG object;
    LONG child;
};
std::vector<NameEvent> g_events;

void CALLBACK OnNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    g_events.push_back({window, object, child});
}

}  // namespace

TEST(Accessible, AnotherProcessReadsTheDateAndCountdownAndHearsOnceOfANewTarget)
{
    ClearSettings();
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        const SYSTEMTIME today = LocalDateIn(0), inTwelve = LocalDateIn(12),
                         inThree = LocalDateIn(3);
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", inTwelve.wYear, inTwelve.wMonth, inTwelve.wDay));
        list.push_back(MakeEntry(L"遠足", inThree.wYear, inThree.wMonth, inThree.wDay));
        CPloverProcess plover;
        const HWND window = plover.StartOn(list);
        ASSERT_NE(window, nullptr);
        const HWND view = plover.ViewWindow();

        CComRef<IAccessible> top;
        ASSERT_EQ(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible),
                                               reinterpret_cast<void**>(top.Receive())),
                  S_OK);
        std::vector<Heard> heard;
        Walk(top.Get(), heard);
        const std::wstring date =
            DateText(today.wYear, today.wMonth, today.wDay, today.wDayOfWeek + 1);
        const std::wstring countdown = SpokenTarget(MakeTargetTexts(L"卒業式", 12));
        std::wstring names;
        for (const Heard& h : heard)
            names += L"[" + h.name + L"] ";
        const Heard* dateHeard = Find(heard, date);
        const Heard* countdownHeard = Find(heard, countdown);
        ASSERT_NE(dateHeard, nullptr) << "heard: " << names.c_str();
        ASSERT_NE(countdownHeard, nullptr) << "heard: " << names.c_str();
        EXPECT_NE(countdown.find(L"12"), std::wstring::npos);
        RECT client{};
        ::GetClientRect(view, &client);
        const PanelLayout panels = LayoutPanels(client.right, client.bottom, true, true, true);
        EXPECT_TRUE(Inside(dateHeard->place, OnScreen(view, panels.date)));
        EXPECT_TRUE(Inside(countdownHeard->place, OnScreen(view, panels.target)));

        // The new target through its dialog: the countdown's name changes, with one
        // event for it.
        const HWINEVENTHOOK hook =
            ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                              OnNameChange, plover.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
        g_events.clear();
        ::PostMessageW(window, WM_COMMAND, IDM_TARGET_SELECT, 0);
        const HWND dialog = plover.WaitDialog(L"ターゲット選択");
        ASSERT_NE(dialog, nullptr);
        PostRowChoice(dialog, IDC_TARGET_LIST, 1);
        Press(dialog, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
        CComRef<IAccessible> viewObject;
        ASSERT_EQ(::AccessibleObjectFromWindow(view, static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible),
                                               reinterpret_cast<void**>(viewObject.Receive())),
                  S_OK);
        const std::wstring next = SpokenTarget(MakeTargetTexts(L"遠足", 3));
        EXPECT_TRUE(WaitUntil([&] { return NameOf(viewObject.Get(), 2) == next; }))
            << "the countdown reads \"" << NameOf(viewObject.Get(), 2).c_str() << "\"";
        Pump(1500);  // a tick or two more, which must add none
        ::UnhookWinEvent(hook);
        int forCountdown = 0, forView = 0;
        for (const NameEvent& e : g_events) {
            if (e.window != view || e.object != OBJID_CLIENT)
                continue;
            ++forView;
            forCountdown += e.child == 2 ? 1 : 0;
        }
        EXPECT_EQ(forCountdown, 1);
        EXPECT_EQ(forView, 1) << "only the countdown changed";
        viewObject.Reset();
        top.Reset();
        EXPECT_TRUE(plover.CloseAndWait());
    }
    ::CoUninitialize();
    ClearSettings();
}
