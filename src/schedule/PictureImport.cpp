#include "schedule/PictureImport.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/FileHandle.h"
#include "framework/Help.h"
#include "framework/LateBound.h"
#include "framework/MessageBox.h"
#include "framework/SjisText.h"
#include "framework/TextConv.h"
#include "schedule/FileMessages.h"
#include "schedule/PloverFile.h"
#include "services/DataFolder.h"

namespace plover {

namespace {

std::function<std::optional<std::wstring>()>& ChooseHook()
{
    static std::function<std::optional<std::wstring>()> hook;
    return hook;
}

CFileHandle OpenForReading(const std::wstring& path)
{
    return CFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// True when both files hold the same bytes (a picture of that name is already
// there, or the two paths are one file spelled differently).
bool SameContents(const std::wstring& a, const std::wstring& b)
{
    const CFileHandle first = OpenForReading(a);
    const CFileHandle second = OpenForReading(b);
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!first || !second || !::GetFileSizeEx(first.Get(), &sizeA) ||
        !::GetFileSizeEx(second.Get(), &sizeB) || sizeA.QuadPart != sizeB.QuadPart)
        return false;
    std::vector<char> bufferA(1 << 16), bufferB(1 << 16);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!::ReadFile(first.Get(), bufferA.data(), static_cast<DWORD>(bufferA.size()), &readA,
                        nullptr) ||
            !::ReadFile(second.Get(), bufferB.data(), readA, &readB, nullptr) || readA != readB)
            return false;
        if (readA == 0)
            return true;
        if (!std::equal(bufferA.begin(), bufferA.begin() + readA, bufferB.begin()))
            return false;
    }
}

// An entry holds the bare name as code page 932 bytes: a name the code page cannot
// spell, or one too long for the field, would come back as another file's name.
bool IsStorableName(const std::wstring& name)
{
    std::size_t bytes = 0;
    for (wchar_t c : name) {
        const int width = Cp932Width(c);
        if (width == 0)
            return false;
        bytes += static_cast<std::size_t>(width);
    }
    return bytes < CPloverFile::kBmpFileSize;
}

}  // namespace

void SetChoosePictureHook(std::function<std::optional<std::wstring>()> hook)
{
    ChooseHook() = std::move(hook);
}

std::wstring BareFileName(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsWhereLookedUp(const std::wstring& path)
{
    return SamePath(PicturePath(BareFileName(path)), path);
}

namespace {

// The open-file dialog's library and the shell libraries it pulls in come in when a
// picture is first chosen.
bool RunOpenFileDialog(OPENFILENAMEW& ofn)
{
    static const auto open =
        LateBound<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    return open && open(&ofn);
}

}  // namespace

std::optional<std::wstring> ChoosePictureFile(HWND owner)
{
    std::optional<std::wstring> chosen;
    if (ChooseHook()) {
        chosen = ChooseHook()();
    } else {
        std::vector<wchar_t> file(32768, L'\0');
        const std::wstring folder = DataFolder();
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = L"ｲﾒｰｼﾞﾌｧｲﾙ(*.BMP)\0*.BMP\0";
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrInitialDir = folder.c_str();
        ofn.lpstrDefExt = L"BMP";
        // The current folder stays where it is: pictures are found by full path.
        ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        if (RunOpenFileDialog(ofn))
            chosen = std::wstring(file.data());
    }
    if (chosen && !IsStorableName(BareFileName(*chosen))) {
        ShowMessage(owner,
                    L"このファイル名は予定に記録できません（使えない文字を含むか、長すぎます）。"
                    L"\n名前を変えてから選び直してください。\n\n" + *chosen,
                    MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    return chosen;
}

bool ImportPicture(HWND owner, const std::wstring& source)
{
    if (IsWhereLookedUp(source))
        return true;
    // The user's folder is made only when something is first kept there.
    if (!CreateFolderPath(DataFolder())) {
        const DWORD error = ::GetLastError();
        ShowMessage(owner,
                    FileErrorText(FileErrorFromWin32(error), DataFolder()) +
                        L"\n\n画像を Plover のデータ フォルダーにコピーできなかったため、"
                        L"予定の画像は元のままです。",
                    MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::wstring target = DataFolder() + BareFileName(source);
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (SameContents(source, target))
            return true;
        const std::wstring question = L"Plover のデータ フォルダーには同じ名前の別の画像があります。\n" +
                                      target + L"\n\n選んだ画像で置き換えますか？";
        if (ShowMessage(owner, question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    if (::CopyFileW(source.c_str(), target.c_str(), FALSE))
        return true;
    const DWORD error = ::GetLastError();
    ShowMessage(owner,
                FileErrorText(FileErrorFromWin32(error), target) +
                    L"\n\n画像を Plover のデータ フォルダーにコピーできなかったため、"
                    L"予定の画像は元のままです。",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace plover
