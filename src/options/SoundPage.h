// The sound page: sounds on or off, the three WAV files the program plays, and
// the WAV files of the program's folder to listen to and copy into a field.
#pragma once

#include <string>

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageSound : public CPropertyPage {
public:
    CMyPropertyPageSound();

    int m_Sound = 1;
    std::wstring m_StartWav;
    std::wstring m_EndWav;
    std::wstring m_VerWav;

    // The folder whose WAV files are listed (with its last backslash); the
    // program's own unless a test lists another.
    std::wstring m_strFolder;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnHelp(const HELPINFO& info) override;

private:
    void ListWavFiles();
    // The listed name chosen, or an empty text when none is.
    std::wstring ChosenFile() const;
    // False, after telling the user why, when the field's name cannot be stored.
    bool CheckField(UINT id, const wchar_t* label);
};

}  // namespace plover
