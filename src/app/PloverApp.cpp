#include "app/PloverApp.h"

#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "framework/Help.h"
#include "framework/MessageBox.h"
#include "framework/Paths.h"
#include "framework/Resource.h"
#include "resource.h"
#include "schedule/PloverDoc.h"
#include "services/DataFolder.h"
#include "services/StartupEntry.h"

namespace plover {

bool CPloverApp::InitInstance()
{
    const std::wstring title = LoadResString(IDS_APP_TITLE);
    SetAppTitle(title.empty() ? L"Plover" : title);
    m_pSettings = std::make_unique<CRegistryStore>(kSettingsKey);
    SetSettingsStore(m_pSettings.get());

    // Known before the window exists: the view's first activation, inside
    // OnFileNew, already looks the target's picture up here.
    ChooseDataFolder();
    m_pInstance = std::make_unique<CSingleInstance>(DataFolder());
    if (!m_pInstance->IsFirst()) {
        m_pInstance->BringFirstToFront();
        return false;
    }
    SetHelpViewer(ShowHelpForCommand);
    FollowProgramMove(ExecutablePath());

    AddDocTemplate(MakeMainTemplate([] { return std::make_unique<CPloverDoc>(); }));
    // Creates the view (timers running) before the schedule is read; the target is
    // taken only at the view's first activation, after the read.
    if (!OnFileNew())
        return false;
    if (const CFrameWnd* frame = GetMainFrame())
        m_pInstance->Announce(frame->m_hWnd);
    return true;
}

int CPloverApp::ExitInstance()
{
    SetSettingsStore(nullptr);
    SetHelpViewer(nullptr);
    return CWinApp::ExitInstance();
}

}  // namespace plover
