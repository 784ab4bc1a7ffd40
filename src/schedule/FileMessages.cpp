#include "schedule/FileMessages.h"

namespace plover {

std::wstring FileErrorText(FileError cause, std::wstring_view path)
{
    const wchar_t* pattern = L"%1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。";
    switch (cause) {
    case FileError::None: pattern = L"ｴﾗｰはありません。"; break;
    case FileError::Generic: break;
    case FileError::FileNotFound: pattern = L"%1 が見つかりません。"; break;
    case FileError::BadPath: pattern = L"%1 は無効なﾊﾟｽです。"; break;
    case FileError::TooManyOpenFiles:
        pattern = L"開いているﾌｧｲﾙが多すぎるため %1 を開けませんでした。";
        break;
    case FileError::AccessDenied: pattern = L"%1 へのｱｸｾｽは拒否されました。"; break;
    case FileError::InvalidFile:
        pattern = L"%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。";
        break;
    case FileError::RemoveCurrentDir: pattern = L"ｶﾚﾝﾄ ﾃﾞｨﾚｸﾄﾘ %1 は削除できません。"; break;
    case FileError::DirectoryFull:
        pattern = L"%1 を作成できません。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。 ";
        break;
    case FileError::BadSeek: pattern = L"%1 のｼｰｸに失敗しました"; break;
    case FileError::HardIO:
        pattern = L"%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。";
        break;
    case FileError::SharingViolation: pattern = L"%1 へのｱｸｾｽ中に共有違反が発生しました。"; break;
    case FileError::LockViolation: pattern = L"%1 へのｱｸｾｽ中にﾛｯｷﾝｸﾞ違反が発生しました。"; break;
    case FileError::DiskFull: pattern = L"%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"; break;
    case FileError::EndOfFile: pattern = L"%1 のﾌｧｲﾙの終わりです。"; break;
    }
    return FormatMessageText(pattern, path);
}

}  // namespace plover
