// The real main frame, view and document, made in the test process on a scratch
// schedule, with settings in memory, today fixed and sounds and message boxes
// recorded instead of played and shown.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "services/LocalTime.h"
#include "services/Settings.h"

namespace plover {
class CMainFrame;
class CPloverDoc;
class CPloverView;
class CSingleDocTemplate;
}

namespace plover::test {

struct SoundRecord {
    std::wstring name;
    bool wait;
};

class CViewHarness {
public:
    explicit CViewHarness(const LocalTime& today);
    ~CViewHarness();

    // Writes the schedule file the document will read.
    void SetSchedule(const CScheduleList& list, std::int32_t target);
    // Creates document, frame and view, shows the frame and lets it paint.
    bool Open(int clientWidth = 400, int clientHeight = 300);
    // Closes like the user does: the document writes the file, the windows go.
    void Close();

    void Pump(DWORD milliseconds = 50);
    void SetToday(const LocalTime& now);
    // Renders the view's own drawing at the present size.
    std::vector<COLORREF> Render();
    // Lets the shooting star leave the window, so it no longer crosses the panels.
    void FinishShootingStar();

    CMainFrame* Frame() const;
    CPloverView* View() const;
    CPloverDoc* Doc() const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    COLORREF Pixel(const std::vector<COLORREF>& pixels, int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * m_nWidth + x];
    }

    CMemorySettingsStore m_Settings;
    std::vector<SoundRecord> m_Sounds;
    std::vector<std::wstring> m_Messages;
    CScratchDir m_Dir;

private:
    LocalTime m_Now;
    std::unique_ptr<CSingleDocTemplate> m_pTemplate;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

}  // namespace plover::test
