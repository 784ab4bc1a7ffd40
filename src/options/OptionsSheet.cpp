#include "options/OptionsSheet.h"

#include "framework/Help.h"
#include "resource.h"

namespace plover {

namespace {

std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero length the call hands back a pointer into the resource itself.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id,
                                     reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length))
                              : std::wstring();
}

template <class Value>
void Carry(bool toPages, Value& member, Value& setting)
{
    if (toPages)
        member = setting;
    else
        setting = member;
}

// The platform's number of a sheet's Help button.
constexpr UINT kHelpButton = 9;

}  // namespace

CMyPropertySheet::CMyPropertySheet(HWND parent)
    : CPropertySheet(LoadResourceString(IDS_OPTIONS_SHEET), parent)
{
    AddPage(m_PageCursor);
    AddPage(m_PageIcon);
    AddPage(m_PageStart);
    AddPage(m_PageShow);
    AddPage(m_PageSound);
}

void CMyPropertySheet::Fill(const CPloverSettings& settings)
{
    CPloverSettings copy = settings;
    Exchange(copy, true);
}

CPloverSettings CMyPropertySheet::Result(CPloverSettings settings)
{
    Exchange(settings, false);
    return settings;
}

void CMyPropertySheet::Exchange(CPloverSettings& settings, bool toPages)
{
    Carry(toPages, m_PageCursor.m_CursorNo, settings.cursorNo);
    Carry(toPages, m_PageIcon.m_IconFlg, settings.iconFlg);
    Carry(toPages, m_PageIcon.m_IconSec, settings.iconSec);
    Carry(toPages, m_PageIcon.m_DestroyFlg, settings.destroyFlg);
    Carry(toPages, m_PageIcon.m_DestroySec, settings.destroySec);
    Carry(toPages, m_PageStart.m_StartTitleBar, settings.startTitleBar);
    Carry(toPages, m_PageStart.m_StartMenuBar, settings.startMenuBar);
    Carry(toPages, m_PageStart.m_StartPosition, settings.startPosition);
    Carry(toPages, m_PageStart.m_StartValue, settings.startValue);
    Carry(toPages, m_PageShow.m_RollStar, settings.rollStar);
    Carry(toPages, m_PageShow.m_TitleBar, settings.titleBar);
    Carry(toPages, m_PageShow.m_MenuBar, settings.menuBar);
    Carry(toPages, m_PageShow.m_Date, settings.date);
    Carry(toPages, m_PageShow.m_Target, settings.target);
    Carry(toPages, m_PageShow.m_SC, settings.sc);
    Carry(toPages, m_PageShow.m_SCI, settings.sci);
    Carry(toPages, m_PageShow.m_Hour24, settings.hour24);
    Carry(toPages, m_PageShow.m_GMFont, settings.gmFont);
    Carry(toPages, m_PageSound.m_Sound, settings.sound);
    Carry(toPages, m_PageSound.m_StartWav, settings.startWav);
    Carry(toPages, m_PageSound.m_EndWav, settings.endWav);
    Carry(toPages, m_PageSound.m_VerWav, settings.verWav);
}

bool CMyPropertySheet::OnSheetCommand(UINT id)
{
    if (id != kHelpButton)
        return false;
    ShowHelp(Parent(), HELP_CONTEXT, 102);
    return true;
}

}  // namespace plover
