// The application: prepares the settings store, ties document, frame and view
// together, starts them and chooses the data folder.
#pragma once

#include <memory>
#include <string>

#include "framework/WinApp.h"
#include "services/RegistryStore.h"

namespace plover {

class CPloverApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

    static CPloverApp* Get() { return static_cast<CPloverApp*>(CWinApp::Get()); }

private:
    std::unique_ptr<CRegistryStore> m_pSettings;
};

// Registry key of the settings: the maker's key, the application name, the section.
inline constexpr wchar_t kSettingsKey[] = L"Software\\WREN\\Plover\\Config";

}  // namespace plover
