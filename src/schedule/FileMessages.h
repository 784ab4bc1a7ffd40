// The program's messages about files: the file-error texts by cause, with the
// file's full path in place of %1, and the fixed texts of loading and saving.
#pragma once

#include <string>
#include <string_view>

#include "framework/FileErrors.h"

namespace plover {

std::wstring FileErrorText(FileError cause, std::wstring_view path);

inline constexpr wchar_t kReadFailedText[] = L"ファイルよりの読み込みに失敗しました";
inline constexpr wchar_t kWriteFailedText[] = L"ファイルへの書き込みに失敗しました";
inline constexpr wchar_t kUnexpectedFormatText[] = L"予期しないﾌｧｲﾙ形式です。";
inline constexpr wchar_t kOpenFailedText[] = L"ﾄﾞｷｭﾒﾝﾄのｵｰﾌﾟﾝに失敗しました。";
inline constexpr wchar_t kSaveFailedText[] = L"ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。";

}  // namespace plover
