// The countdown view: the main window's whole client area.  It owns the display
// state, lays out and paints the date, the countdown and the lower panel with this
// month's list or the clock in it, runs the one-second tick and the shooting star,
// and carries the mouse actions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/ComRef.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/SystemLook.h"
#include "framework/View.h"
#include "objects/PictureSlot.h"
#include "services/Settings.h"
#include "view/BarHost.h"
#include "view/ShootingStar.h"
#include "view/ViewAccessible.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

class CClockObject;
class CMonthList;
class CPloverDoc;
class CPloverFile;
class CRollStarObject;

// The view's two timers.
enum class ViewTimer : UINT_PTR {
    Tick = 1,          // every second: the date, the automatic minimise and close
    ShootingStar = 2,  // every 100 ms while the shooting star crosses the window
};

// Which bars the main window shows, as the double click cycles them.
enum class BarState {
    Both = 1,
    TitleOnly = 2,  // the menu bar is hidden
    None = 3,       // the title bar is hidden too: a press on the view moves the window
};

class CPloverView : public CView, public IModalListener, private IAccessibleSource {
public:
    CPloverView();
    ~CPloverView() override;

    CPloverDoc* GetDocument() const;
    void OnDraw(HDC dc) override;
    void OnActivateView(bool activate, CView* activated, CView* deactivated) override;
    // A ScheduleChange from the document: the month list, the target (its picture
    // and the clock's moment) and the painted texts follow.
    void OnUpdate(unsigned hint) override;

    // Takes the target entry (and its picture) from the document afresh and sets
    // the clock's target time.
    void LoadTarget();
    // Asks this month's list to refill from the document (once it exists).
    void RefreshMonthList();
    // Reads today's date again; when the day has changed, the countdown, the list
    // and the window follow.  Called every second, on a time change and on resume.
    void CheckDate();

    // The one-second tick counts nothing while a dialog of the program is open;
    // the date is still watched.
    void PauseTick() { m_bTickPaused = true; }
    void ResumeTick() { m_bTickPaused = false; }
    void OnModalBegin() override { PauseTick(); }
    void OnModalEnd() override { ResumeTick(); }
    // The seconds until the automatic minimise start again from the stored
    // IconSec (on every minimise), and both counts from the settings (when the
    // options are confirmed).
    void RestartIconCount();
    void RestartCounts(const CPloverSettings& settings);
    // The panels, the lower panel's content, the stars, the clock's form and face
    // and the self-timer switches, as the settings say; repaints.
    void ApplySettings(const CPloverSettings& settings);
    // The bars as the options sheet left them: with a title bar the menu bar as
    // asked, without one neither.
    void ShowBars(bool titleBar, bool menuBar);
    // The next step of the double click's cycle: both bars, the title bar alone,
    // none, both again; the settings follow each step.
    void CycleBars();
    // The options sheet's page shown when it was last confirmed.
    int SheetPage() const { return m_nSheetPage; }
    void SetSheetPage(int page) { m_nSheetPage = page; }
    // The program's cursor over the view, and the window whose bars it cycles.
    void SetProgramCursor(HCURSOR cursor) { m_hCursor = cursor; }

    // The DPI the view draws for: its stars, shooting star, pens, frames, list and
    // every fixed offset.  Set at creation from the window and on a DPI change
    // from the message; the pictures of the new DPI replace the old ones.
    int Dpi() const { return m_nDpi; }
    void SetDpi(int dpi);

    // While the window is minimised or the session locked nothing of it can be
    // seen: the stars, the shooting star and the clock stop, and their timers
    // with them; they go on where they were when it shows again.  The one-second
    // tick goes on, and watches the target minute in the clock's stead.
    void SetMinimised(bool minimised);
    bool IsAnimating() const { return !m_bMinimised && !m_bLocked; }
    void SetBarHost(IBarHost* host) { m_pBarHost = host; }

    // The system's settings or colours changed (WM_SETTINGCHANGE,
    // WM_SYSCOLORCHANGE): where high contrast or less motion came or went, or the
    // system's colours changed under high contrast, the brushes, pens and
    // pictures are made anew, the stars stop or go on, and everything repaints.
    void OnSystemLookChange();

    // What the window shows, for the frame's title and for tests.
    const std::wstring& Countdown() const { return m_strCountdown; }
    // The target panel's texts as last laid out, shown or not.
    const TargetTexts& Texts() const { return m_Texts; }
    BarState Bars() const { return m_nBarState; }
    HCURSOR Cursor() const { return m_hCursor; }
    int IconCount() const { return m_nIconCount; }
    float PanelTop() const { return m_fPanelTop; }
    float PanelHeight() const { return m_fPanelHeight; }
    bool IsShootingStarFlying() const { return m_bStarFlying; }
    // The target's picture; the frame redraws it when palettes change.
    CPictureSlot& Picture() { return m_Picture; }
    // Null until the list first shows.
    HWND MonthList() const;
    CClockObject* Clock() const { return m_pClock.get(); }
    const CShootingStar& ShootingStar() const { return m_ShootingStar; }
    // What a screen reader finds, as last laid out.
    const std::vector<AccessiblePart>& ShownParts() const override { return m_Parts; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND ClockWindow() const;

    // State and creation (PloverView.cpp).
    bool OnCreate();
    // The pictures, pens and brushes for the DPI and the look of the moment.
    void LoadDpiPictures();
    void UpdateAnimation();
    void OnSessionChange(WPARAM event);
    void OnDestroy();
    // Makes the list the first time it is to show: a window that never shows it
    // need not wait for the common controls at its start.
    bool EnsureMonthList();
    void FirstActivate();
    // The timers.
    void OnTimer(UINT_PTR id);
    void OnTick();
    void OnStarTick();
    void StopShootingStar();
    // The mouse.  True when the press starts moving a window that has no title bar.
    bool OnLButtonDown();

    // The accessible object: made on the first question, given up in OnDestroy.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    std::wstring ClockText() const override;
    HWND MonthListWindow() const override { return MonthList(); }

    // Layout (PloverViewLayout.cpp).
    void OnSize();
    // Lays the view out for its present size, settings, target and day: the panel
    // fractions, the countdown text, where the children go and whether they show.
    // Run whenever one of those changes; OnDraw then only draws what it computed.
    void Relayout();
    // The parts a screen reader finds anew from the layout, the target and its
    // picture; a reader is told of each name that changed (never of the clock's,
    // which is read when asked) and of parts that came or went.
    void UpdateAccessibleParts();

    // Painting (PloverViewDraw.cpp).
    void DrawPlate(HDC dc, int width, int height);
    void DrawDatePanel(HDC dc, const Rect& panel);
    void DrawTargetPanel(HDC dc, const Rect& panel, const TargetTexts& texts);
    void DrawCountdown(HDC dc, const TargetTexts& texts, const CountdownLayout& layout);
    void DrawLowerPanel(HDC dc, const LowerPanelLayout& layout);
    void DrawShootingStar(HDC dc, int width, int height);

    // What Relayout computed.
    PanelLayout m_Panels;
    LowerPanelLayout m_Lower;
    TargetTexts m_Texts;
    std::wstring m_strCountdown;
    HCURSOR m_hCursor = nullptr;
    int m_nDpi = 96;
    SystemLook m_Look;  // what the brushes, pens and pictures were made for
    bool m_bMinimised = false;
    bool m_bLocked = false;
    bool m_bSessionNotices = false;
    bool m_bTickPaused = false;
    bool m_bStarFlying = false;
    BarState m_nBarState = BarState::Both;
    int m_nSheetPage = 0;
    float m_fPanelTop = 0.0f;
    float m_fPanelHeight = 0.0f;
    int m_nShowDate = 1;
    int m_nShowTarget = 1;
    int m_nShowPanel = 1;
    int m_nSCI = 1;
    bool m_bCountUp = false;  // a passed target counts up instead of being over
    int m_nIconFlg = 0;
    int m_nIconCount = 0;
    int m_nDestroyFlg = 0;
    int m_nDestroyCount = 0;
    CBrush m_pBackBrush;
    CPen m_pShadowPen;
    CPen m_pLightPen;
    CBitmap m_pStarImage;
    CBitmap m_pStarMask;
    CBitmap m_pStarWork;
    int m_nStarWidth = 0;
    int m_nStarHeight = 0;
    IBarHost* m_pBarHost = nullptr;
    std::unique_ptr<CMonthList> m_pMonthList;  // null until the list first shows
    std::unique_ptr<CRollStarObject> m_pStarLeft;
    std::unique_ptr<CRollStarObject> m_pStarRight;
    std::unique_ptr<CClockObject> m_pClock;
    CPictureSlot m_Picture;
    CPloverFile* m_pTarget = nullptr;
    bool m_bFirstActivate = true;
    CShootingStar m_ShootingStar;
    std::vector<AccessiblePart> m_Parts;
    bool m_bPartsKnown = false;  // a first layout has nothing to tell of
    bool m_bDestroyed = false;   // no accessible object is made past WM_DESTROY
    CComApartment m_ComApartment;
    CComRef<CViewAccessible> m_pAccessible;
};

}  // namespace plover
