// The countdown view as a screen reader reads it, in the program's own process:
// the panels as children with their sentences, roles and places, the event that
// tells a reader a name changed, and what a thousand questions leave behind.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewHarness.h"
#include "app/MainFrame.h"
#include "framework/ComRef.h"
#include "framework/Gdi.h"
#include "objects/ClockFace.h"
#include "schedule/PloverDoc.h"
#include "services/DataFolder.h"
#include "services/Settings.h"
#include "view/PloverView.h"
#include "view/ViewAccessible.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

using namespace plover;
using namespace plover::test;

namespace {

// Sunday 12 May 1996, nine in the morning; the target twelve days ahead.
const LocalTime kToday{1996, 5, 12, 1, 9, 0, 0};
const wchar_t kDate[] = L"今日は1996年5月12日(日)です";
const wchar_t kTwelveDays[] = L"卒業式まで あと12日です";

CScheduleList Schedule()
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    list.push_back(MakeEntry(L"運動会", 1996, 5, 31));
    return list;
}

VARIANT Id(LONG child)
{
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    return id;
}

CComRef<IAccessible> ViewObject(const CViewHarness& h)
{
    CComRef<IAccessible> object;
    EXPECT_EQ(::AccessibleObjectFromWindow(h.View()->m_hWnd, static_cast<DWORD>(OBJID_CLIENT),
                                           __uuidof(IAccessible),
                                           reinterpret_cast<void**>(object.Receive())),
              S_OK);
    return object;
}

std::wstring Name(IAccessible* object, LONG child)
{
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(Id(child), &name) == S_OK && name)
        text = name;
    ::SysFreeString(name);
    return text;
}

LONG Role(IAccessible* object, LONG child)
{
    VARIANT role{};
    return object->get_accRole(Id(child), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

RECT Place(IAccessible* object, LONG child)
{
    LONG x = 0, y = 0, w = 0, h = 0;
    object->accLocation(&x, &y, &w, &h, Id(child));
    return RECT{x, y, x + w, y + h};
}

RECT OnScreen(const CViewHarness& h, const Rect& r)
{
    RECT s{r.left, r.top, r.right, r.bottom};
    ::MapWindowPoints(h.View()->m_hWnd, nullptr, reinterpret_cast<POINT*>(&s), 2);
    return s;
}

// The window behind a child given as an object, or null for a simple element.
HWND WindowOf(const VARIANT& child)
{
    HWND window = nullptr;
    if (child.vt == VT_DISPATCH && child.pdispVal) {
        CComRef<IAccessible> object;
        child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                       reinterpret_cast<void**>(object.Receive()));
        if (object)
            ::WindowFromAccessibleObject(object.Get(), &window);
    }
    return window;
}

HWND g_view = nullptr;
std::vector<LONG> g_nameEvents;  // child ids of the view's client object

void CALLBACK OnNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (window == g_view && object == OBJID_CLIENT)
        g_nameEvents.push_back(child);
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}

long ThreadWindows()
{
    long count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class ViewAccessible : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { ::CoUninitialize(); }
};

}  // namespace

TEST_F(ViewAccessible, ChildrenAreThePanelsShownWithTheirSentencesRolesAndPlaces)
{
    long alive = 0;
    {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(), 0);
        ASSERT_TRUE(h.Open(400, 300));
        h.FinishShootingStar();
        CComRef<IAccessible> view = ViewObject(h);
        ASSERT_TRUE(view);
        alive = CViewAccessible::Alive();
        EXPECT_EQ(alive, 1);

        // The date, the countdown and this month's list, as painted and where.
        VARIANT children[4] = {};
        LONG got = 0;
        ASSERT_EQ(::AccessibleChildren(view.Get(), 0, 3, children, &got), S_OK);
        ASSERT_EQ(got, 3);
        EXPECT_EQ(children[0].vt, VT_I4);
        EXPECT_EQ(children[1].vt, VT_I4);
        EXPECT_EQ(WindowOf(children[2]), h.View()->MonthList()) << "the list view's own object";
        for (VARIANT& child : children)
            ::VariantClear(&child);
        EXPECT_EQ(Name(view.Get(), 1), kDate);
        EXPECT_EQ(Name(view.Get(), 2), kTwelveDays);
        EXPECT_EQ(Role(view.Get(), 1), ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(Role(view.Get(), 2), ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(Role(view.Get(), CHILDID_SELF), ROLE_SYSTEM_CLIENT);
        const PanelLayout panels = LayoutPanels(400, 300, true, true, true);
        const RECT date = Place(view.Get(), 1), target = Place(view.Get(), 2);
        const RECT datePanel = OnScreen(h, panels.date), targetPanel = OnScreen(h, panels.target);
        EXPECT_TRUE(::EqualRect(&date, &datePanel));
        EXPECT_TRUE(::EqualRect(&target, &targetPanel));

        // Hit test and navigation find the same children.
        VARIANT at{};
        EXPECT_EQ(view->accHitTest((targetPanel.left + targetPanel.right) / 2,
                                   (targetPanel.top + targetPanel.bottom) / 2, &at),
                  S_OK);
        EXPECT_EQ(at.vt == VT_I4 ? at.lVal : -1, 2);
        VARIANT next{};
        EXPECT_EQ(view->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &next), S_OK);
        EXPECT_EQ(next.vt == VT_I4 ? next.lVal : -1, 1);
        EXPECT_EQ(view->accNavigate(NAVDIR_NEXT, Id(1), &next), S_OK);
        EXPECT_EQ(next.vt == VT_I4 ? next.lVal : -1, 2);
        EXPECT_EQ(view->accNavigate(NAVDIR_PREVIOUS, Id(1), &next), S_FALSE);
        EXPECT_EQ(view->accNavigate(NAVDIR_LASTCHILD, Id(CHILDID_SELF), &next), S_OK);
        EXPECT_EQ(WindowOf(next), h.View()->MonthList());
        ::VariantClear(&next);
        CComRef<IDispatch> parent;
        ASSERT_EQ(view->get_accParent(parent.Receive()), S_OK);
        CComRef<IAccessible> parentObject;
        parent->QueryInterface(__uuidof(IAccessible),
                               reinterpret_cast<void**>(parentObject.Receive()));
        HWND parentWindow = nullptr;
        ::WindowFromAccessibleObject(parentObject.Get(), &parentWindow);
        EXPECT_EQ(parentWindow, h.View()->m_hWnd) << "the window object of the view";

        // The clock: the time shown, read when asked; then the picture, by its name.
        CPloverSettings settings = LoadSettings(h.m_Settings);
        settings.lowerPanel = 2;
        h.View()->ApplySettings(settings);
        h.SetToday(LocalTime{1996, 5, 12, 1, 9, 41, 7});
        h.Pump(300);
        EXPECT_EQ(Role(view.Get(), 3), ROLE_SYSTEM_CLOCK);
        EXPECT_EQ(Name(view.Get(), 3), ClockText(9, 41, 7, true));
        const std::wstring picture = DataFolder() + L"accessible.bmp";
        WriteBmp(picture, 40, 20, RGB(255, 0, 0));
        const auto withPicture = MakeEntry(L"卒業式", 1996, 5, 24);
        CPloverFile::SetText(withPicture->m_szBmpFile, CPloverFile::kBmpFileSize, "accessible.bmp");
        h.Doc()->ReplaceEntry(0, *withPicture);
        settings.lowerPanel = 3;
        h.View()->ApplySettings(settings);
        EXPECT_EQ(Role(view.Get(), 3), ROLE_SYSTEM_GRAPHIC);
        EXPECT_EQ(Name(view.Get(), 3), L"卒業式");

        // Without the date panel the countdown is the first child.
        settings.showDate = 0;
        h.View()->ApplySettings(settings);
        LONG count = 0;
        EXPECT_EQ(view->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(Name(view.Get(), 1), kTwelveDays);
        h.Close();
        ::DeleteFileW(picture.c_str());

        // The view gone, the object it left answers nothing.
        EXPECT_EQ(view->get_accChildCount(&count), RPC_E_DISCONNECTED);
        BSTR name = nullptr;
        EXPECT_EQ(view->get_accName(Id(1), &name), RPC_E_DISCONNECTED);
    }
    EXPECT_EQ(CViewAccessible::Alive(), alive - 1) << "released by its last holder";
}

TEST_F(ViewAccessible, ANameChangeIsToldOnceAndTheClocksTicksNever)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"SCI", 2);  // the clock
    h.SetSchedule(Schedule(), 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.FinishShootingStar();
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, OnNameChange,
                          ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    g_view = h.View()->m_hWnd;
    g_nameEvents.clear();

    // Three seconds of ticks.
    for (int second = 1; second <= 3; ++second) {
        h.SetToday(LocalTime{1996, 5, 12, 1, 9, 0, second});
        ::SendMessageW(h.View()->m_hWnd, WM_TIMER, 1, 0);
        h.Pump(150);
    }
    EXPECT_EQ(g_nameEvents, std::vector<LONG>{}) << "the clock's ticks";

    // A new day: the date and the countdown.
    h.SetToday(LocalTime{1996, 5, 13, 2, 0, 0, 1});
    ::SendMessageW(h.View()->m_hWnd, WM_TIMER, 1, 0);
    h.Pump(150);
    EXPECT_EQ(g_nameEvents, (std::vector<LONG>{1, 2})) << "a new day";
    g_nameEvents.clear();

    // A new target, then an edit of it, then an entry that is not the target.
    h.Doc()->SetTarget(1);
    h.Pump(150);
    EXPECT_EQ(g_nameEvents, std::vector<LONG>{2}) << "a new target";
    g_nameEvents.clear();
    h.Doc()->ReplaceEntry(1, *MakeEntry(L"体育祭", 1996, 5, 31));
    h.Pump(150);
    EXPECT_EQ(g_nameEvents, std::vector<LONG>{2}) << "the target edited";
    g_nameEvents.clear();
    h.Doc()->ReplaceEntry(0, *MakeEntry(L"卒業式", 1996, 5, 25));
    h.View()->ApplySettings(LoadSettings(h.m_Settings));
    h.Pump(150);
    EXPECT_EQ(g_nameEvents, std::vector<LONG>{}) << "nothing the panels show";
    ::UnhookWinEvent(hook);
}

TEST_F(ViewAccessible, AThousandQuestionsLeaveNoReferenceObjectGdiObjectOrWindowBehind)
{
    const long objects = CViewAccessible::Alive();
    {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(), 0);
        ASSERT_TRUE(h.Open(400, 300));
        h.FinishShootingStar();
        CComRef<IAccessible> first = ViewObject(h);
        ASSERT_TRUE(first);
        // The count of references, read by adding one and taking it away again.
        const auto references = [&] {
            first->AddRef();
            return first->Release();
        };
        const ULONG refs = references();
        const long gdi = LiveGdiObjects(), windows = ThreadWindows();
        for (int i = 0; i < 1000 && !HasFailure(); ++i) {
            const LRESULT result = ::SendMessageW(h.View()->m_hWnd, WM_GETOBJECT, 0,
                                                  static_cast<LPARAM>(OBJID_CLIENT));
            CComRef<IAccessible> asked;
            EXPECT_EQ(::ObjectFromLresult(result, __uuidof(IAccessible), 0,
                                          reinterpret_cast<void**>(asked.Receive())),
                      S_OK);
            CComRef<IAccessible> view = ViewObject(h);
            EXPECT_EQ(Name(view.Get(), 2), kTwelveDays);
            Name(asked.Get(), 1);
            CComRef<IDispatch> list, parent;
            view->get_accChild(Id(3), list.Receive());
            view->get_accParent(parent.Receive());
        }
        EXPECT_EQ(references(), refs);
        EXPECT_EQ(CViewAccessible::Alive(), objects + 1);
        EXPECT_EQ(LiveGdiObjects(), gdi);
        EXPECT_EQ(ThreadWindows(), windows);
        first.Reset();
        h.Close();
    }
    EXPECT_EQ(CViewAccessible::Alive(), objects) << "the view kept no reference";
}
