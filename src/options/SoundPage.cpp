#include "options/SoundPage.h"

#include <algorithm>
#include <vector>

#include "framework/Help.h"
#include "framework/Paths.h"
#include "framework/MessageBox.h"
#include "options/OptionsRules.h"
#include "resource.h"
#include "services/Sound.h"

namespace plover {

namespace {

constexpr wchar_t kWavPattern[] = L"*.Wav";

// Files a user keeps, not folders, drives, hidden or system files.
constexpr UINT kListedFiles = DDL_READWRITE | DDL_READONLY | DDL_ARCHIVE;

}  // namespace

CMyPropertyPageSound::CMyPropertyPageSound()
    : CPropertyPage(IDD_OPTIONS_SOUND), m_strFolder(ProgramFolder())
{
}

bool CMyPropertyPageSound::OnInitDialog()
{
    SetCheck(IDC_SOUND_ON, m_Sound != 0);
    SetItemText(IDC_SOUND_START, m_StartWav);
    SetItemText(IDC_SOUND_END, m_EndWav);
    SetItemText(IDC_SOUND_VERSION, m_VerWav);
    ListWavFiles();
    return true;
}

void CMyPropertyPageSound::ListWavFiles()
{
    // The platform's listing writes the bare pattern back into the buffer and makes
    // the folder current, so a bare name is found as the program plays it.
    const std::wstring pattern = m_strFolder + kWavPattern;
    std::vector<wchar_t> listing(pattern.begin(), pattern.end());
    listing.resize(std::max<std::size_t>(listing.size() + 1, MAX_PATH), L'\0');
    if (::DlgDirListW(m_hWnd, listing.data(), IDC_SOUND_LIST, 0, kListedFiles))
        return;

    // A folder too deep for that listing is read with the long-path form.
    const HWND list = Item(IDC_SOUND_LIST);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const std::wstring longPattern =
        pattern.compare(0, 2, L"\\\\") == 0 ? pattern : L"\\\\?\\" + pattern;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(longPattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        constexpr DWORD kSkipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & kSkipped) == 0)
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::wstring CMyPropertyPageSound::ChosenFile() const
{
    const int row = GetListSelection(IDC_SOUND_LIST);
    if (row < 0)
        return {};
    const HWND list = Item(IDC_SOUND_LIST);
    const auto length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool CMyPropertyPageSound::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (notifyCode != BN_CLICKED)
        return false;
    UINT field = 0;
    switch (id) {
    case IDC_SOUND_TO_START: field = IDC_SOUND_START; break;
    case IDC_SOUND_TO_END: field = IDC_SOUND_END; break;
    case IDC_SOUND_TO_VERSION: field = IDC_SOUND_VERSION; break;
    case IDC_SOUND_TEST: {
        const std::wstring chosen = ChosenFile();
        if (!chosen.empty())
            PlaySoundOrDefault(m_strFolder + chosen);
        return true;
    }
    default:
        return false;
    }
    const std::wstring chosen = ChosenFile();
    if (!chosen.empty())
        SetItemText(field, chosen);
    return true;
}

bool CMyPropertyPageSound::CheckField(UINT id, const wchar_t* label)
{
    std::wstring problem;
    switch (CheckSoundName(GetItemText(id))) {
    case SoundNameProblem::None:
        return true;
    case SoundNameProblem::TooLong:
        problem = L"」のファイル名が長すぎます。" + std::to_wstring(kMaxSoundNameUnits) +
                  L"文字までにしてください。";
        break;
    case SoundNameProblem::BadCharacter:
        problem = L"」のファイル名に使えない文字が含まれています。";
        break;
    }
    ShowMessage(m_hWnd, L"「" + std::wstring(label) + problem, MB_OK | MB_ICONEXCLAMATION);
    const HWND edit = Item(id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;
}

bool CMyPropertyPageSound::OnKillActive()
{
    // A name the settings could not hold back is refused here, not cut.
    if (!CheckField(IDC_SOUND_START, L"起動") || !CheckField(IDC_SOUND_END, L"終了") ||
        !CheckField(IDC_SOUND_VERSION, L"ﾊﾞｰｼﾞｮﾝ情報"))
        return false;
    m_Sound = IsChecked(IDC_SOUND_ON) ? 1 : 0;
    m_StartWav = GetItemText(IDC_SOUND_START);
    m_EndWav = GetItemText(IDC_SOUND_END);
    m_VerWav = GetItemText(IDC_SOUND_VERSION);
    return true;
}

bool CMyPropertyPageSound::OnHelp(const HELPINFO&)
{
    ShowHelp(m_hWnd, HELP_CONTEXT, 101);
    return true;
}

}  // namespace plover
