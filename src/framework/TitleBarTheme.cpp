#include "framework/TitleBarTheme.h"

#include "framework/LateBound.h"

namespace plover {

namespace {

constexpr DWORD kFirstBuildWithAttribute = 17763;  // Windows 10 1809
constexpr DWORD kFirstBuildWithFinalNumber = 18985;
constexpr DWORD kOldDarkAttribute = 19;
constexpr DWORD kDarkAttribute = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE

SetWindowAttributeFn g_testCall = nullptr;
DWORD g_testBuild = 0;

// The true build: GetVersionEx answers by the manifest, and a newer system may not
// be named in it.
DWORD WindowsBuild()
{
    if (g_testCall)
        return g_testBuild;
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = BoundFunction<GetVersionFn>(::GetModuleHandleW(L"ntdll.dll"),
                                                        "RtlGetVersion");
    OSVERSIONINFOW info{sizeof info};
    if (!getVersion || getVersion(&info) != 0 || info.dwMajorVersion < 10)
        return 0;
    return info.dwBuildNumber;
}

SetWindowAttributeFn SetWindowAttribute()
{
    if (g_testCall)
        return g_testCall;
    return LateBound<SetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
}

}  // namespace

DWORD DarkTitleBarAttribute(DWORD build)
{
    if (build >= kFirstBuildWithFinalNumber)
        return kDarkAttribute;
    if (build >= kFirstBuildWithAttribute)
        return kOldDarkAttribute;
    return 0;
}

bool AppsUseDarkTheme()
{
    DWORD light = 1;
    DWORD size = sizeof light;
    const LSTATUS status = ::RegGetValueW(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

void FollowAppTheme(HWND window, bool themeChanged)
{
    const BOOL dark = AppsUseDarkTheme() ? TRUE : FALSE;
    if (!window || (!dark && !themeChanged))
        return;
    const DWORD attribute = DarkTitleBarAttribute(WindowsBuild());
    const SetWindowAttributeFn call = SetWindowAttribute();
    if (attribute == 0 || !call)
        return;
    if (SUCCEEDED(call(window, attribute, &dark, sizeof dark)) && themeChanged)
        ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool IsAppThemeChange(UINT message, LPARAM lParam)
{
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return message == WM_SETTINGCHANGE && area && ::lstrcmpW(area, L"ImmersiveColorSet") == 0;
}

void SetWindowAttributeForTest(SetWindowAttributeFn call, DWORD build)
{
    g_testCall = call;
    g_testBuild = build;
}

}  // namespace plover
