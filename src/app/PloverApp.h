// The application: prepares the settings store, chooses the data folder, hands a
// second start on the same folder over to the first, ties document, frame and view
// together and starts them.
#pragma once

#include <memory>
#include <string>

#include "framework/WinApp.h"
#include "app/SingleInstance.h"
#include "services/RegistryStore.h"

namespace plover {

class CPloverApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

    static CPloverApp* Get() { return static_cast<CPloverApp*>(CWinApp::Get()); }

private:
    std::unique_ptr<CRegistryStore> m_pSettings;
    std::unique_ptr<CSingleInstance> m_pInstance;
};

// Registry key of the settings: the maker's key, the application name, the section.
inline constexpr wchar_t kSettingsKey[] = L"Software\\WREN\\Plover\\Config";

}  // namespace plover
