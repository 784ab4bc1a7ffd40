// The framework's messages about files: the file-error texts by cause, with the
// file's full path in place of %1, and the fixed texts of loading and saving.
#pragma once

#include <string>
#include <string_view>

namespace plover {

enum class FileError {
    None,
    Generic,
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidFile,
    RemoveCurrentDir,
    DirectoryFull,
    BadSeek,
    HardIO,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
};

std::wstring FileErrorText(FileError cause, std::wstring_view path);

// Replaces every %1 in `pattern` by `value`.
std::wstring FormatMessageText(std::wstring_view pattern, std::wstring_view value);

inline constexpr wchar_t kReadFailedText[] = L"ファイルよりの読み込みに失敗しました";
inline constexpr wchar_t kWriteFailedText[] = L"ファイルへの書き込みに失敗しました";
inline constexpr wchar_t kUnexpectedFormatText[] = L"予期しないﾌｧｲﾙ形式です。";
inline constexpr wchar_t kOpenFailedText[] = L"ﾄﾞｷｭﾒﾝﾄのｵｰﾌﾟﾝに失敗しました。";
inline constexpr wchar_t kSaveFailedText[] = L"ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。";
inline constexpr wchar_t kSaveChangesText[] = L"%1 への変更を保存しますか？";
// The title of a document that has no file name of its own.
inline constexpr wchar_t kUntitledText[] = L"無題";

}  // namespace plover
