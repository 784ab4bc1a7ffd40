#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "WineTestSupport.h"
#include "framework/FileErrors.h"
#include "framework/FileHandle.h"
#include "framework/MessageBox.h"
#include "framework/Paths.h"
#include "framework/TextConv.h"
#include "schedule/PloverDoc.h"
#include "schedule/ScheduleStore.h"
#include "services/DataFolder.h"
#include "services/LocalTime.h"
#include "services/Settings.h"

using namespace plover;
using namespace plover::test;

namespace {

// A document on a scratch folder, with today fixed and message boxes recorded.
class PloverDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetNowSource([] { return LocalTime{1996, 5, 12, 1, 9, 0, 0}; });
        SetMessageBoxHook([this](const MessageRecord& message) {
            m_messages.push_back(message);
            return m_answer;
        });
        m_doc.m_strFilePath = m_path;
        SetSettingsStore(&m_settings);
    }
    void TearDown() override
    {
        SetSettingsStore(nullptr);
        SetMessageBoxHook(nullptr);
        SetNowSource(nullptr);
        SetDataFolder({});  // a fallback to the user's folder moved it
    }
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (const auto& m : m_messages)
            texts.push_back(m.text);
        return texts;
    }

    CMemorySettingsStore m_settings;
    CScratchDir m_dir;
    std::wstring m_path = m_dir.File(L"Plover.pvd");
    CPloverDoc m_doc;
    std::vector<MessageRecord> m_messages;
    int m_answer = IDOK;
};

std::vector<std::uint8_t> ThreeEntryFile()
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    list.push_back(MakeEntry(L"入学式", 1996, 4, 8));
    list.push_back(MakeEntry(L"運動会", 1996, 10, 10));
    list[1]->m_wReserved = 0x1234;
    list[2]->m_szName[120] = 'z';  // after the terminating zero
    return WriteSchedule(0, list);
}

}  // namespace

TEST_F(PloverDocTest, ScheduleWrittenAtCloseIsTheFileThatWasRead)
{
    const auto original = ThreeEntryFile();
    WriteBytes(m_path, original);
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_messages.empty());
    ASSERT_EQ(m_doc.m_ScheduleList.size(), 3u);
    EXPECT_EQ(SjisToWide(m_doc.TargetEntry()->Name()), L"卒業式");
    EXPECT_EQ(m_doc.m_nDaysLeft, 12);
    EXPECT_EQ(m_doc.m_nTodayWeekday, 1);

    m_doc.OnCloseDocument();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ReadBytes(m_path), original);
    EXPECT_TRUE(m_doc.m_ScheduleList.empty());
    EXPECT_FALSE(Exists(TemporaryPath(m_path)));
    EXPECT_FALSE(Exists(BackupPath(m_path)));
}

TEST_F(PloverDocTest, MissingFileIsReportedTwiceThenAnEmptyScheduleIsWritten)
{
    m_settings.WriteInt(L"StartValueWidth", 400);  // Plover has run here before
    ASSERT_TRUE(m_doc.OnNewDocument());
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text, m_path + L" が見つかりません。");
    EXPECT_EQ(m_messages[1].text, L"ファイルよりの読み込みに失敗しました");
    for (const auto& m : m_messages) {
        EXPECT_EQ(m.caption, L"Plover");
        EXPECT_EQ(m.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(m_doc.TargetEntry(), nullptr);
    m_doc.CalcDaysLeft();  // no entry to count to: nothing happens
    EXPECT_FALSE(m_doc.IsModified());

    m_doc.OnCloseDocument();
    EXPECT_EQ(ReadBytes(m_path), std::vector<std::uint8_t>(8, 0));
}

// Nothing anywhere and no settings: a new user, whose empty schedule is no error.
// A schedule in the user's folder means there was one, and a missing file is told.
TEST_F(PloverDocTest, FirstStartIsSilentUnlessASchedulePlaceHoldsOne)
{
    CScratchDir user;
    m_doc.m_strUserFolder = user.Path() + L"\\";
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_doc.m_ScheduleList.empty());
    m_doc.OnCloseDocument();
    EXPECT_EQ(ReadBytes(m_path), std::vector<std::uint8_t>(8, 0));

    ::DeleteFileW(m_path.c_str());
    WriteBytes(user.File(L"Plover.pvd"), ThreeEntryFile());
    CPloverDoc doc;
    doc.m_strFilePath = m_path;
    doc.m_strUserFolder = m_doc.m_strUserFolder;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{m_path + L" が見つかりません。",
                                                  L"ファイルよりの読み込みに失敗しました"}));
}

TEST_F(PloverDocTest, ZeroLengthFileReadsAsEmptyWithoutAReport)
{
    WriteBytes(m_path, {});
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_doc.m_ScheduleList.empty());
    EXPECT_EQ(m_doc.m_nTarget, 0);
}

TEST_F(PloverDocTest, TargetIndexNamingNoEntryIsKeptAndWrittenBack)
{
    for (std::int32_t target : {-1, 3, 1000}) {
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
        const auto image = WriteSchedule(target, list);
        WriteBytes(m_path, image);
        CPloverDoc doc;
        doc.m_strFilePath = m_path;
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(doc.TargetEntry(), nullptr);
        EXPECT_EQ(doc.m_nDaysLeft, 0);
        doc.OnCloseDocument();
        EXPECT_EQ(ReadBytes(m_path), image) << target;
    }
}

TEST_F(PloverDocTest, TruncatedFileKeepsItsEntriesAndIsBackedUpBeforeTheWrite)
{
    auto broken = ThreeEntryFile();
    broken.resize(8 + 652 + 100);  // one whole record, then part of the next
    WriteBytes(m_path, broken);
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"予期しないﾌｧｲﾙ形式です。",
                                                  L"ファイルよりの読み込みに失敗しました"}));
    EXPECT_EQ(m_doc.m_ScheduleList.size(), 1u);
    EXPECT_EQ(m_doc.m_nCount, 3);
    EXPECT_TRUE(m_doc.IsModified());

    // Closing asks about the changes first; Cancel keeps the program running.
    m_messages.clear();
    m_answer = IDCANCEL;
    EXPECT_FALSE(m_doc.CanCloseFrame());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, L"無題 への変更を保存しますか？");
    EXPECT_EQ(m_messages[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    m_answer = IDNO;
    EXPECT_TRUE(m_doc.CanCloseFrame());
    // The self-timer's close asks nothing: nobody may be there, and the exit writes.
    m_messages.clear();
    m_doc.m_bUnattendedClose = true;
    EXPECT_TRUE(m_doc.CanCloseFrame());
    EXPECT_TRUE(m_messages.empty());

    m_doc.OnCloseDocument();
    EXPECT_EQ(ReadBytes(BackupPath(m_path)), broken);
    EXPECT_EQ(ReadBytes(m_path).size(), 8u + 652u);
}

// A file another program holds at start reads as nothing: the first write over it
// keeps what it held.
TEST_F(PloverDocTest, FileHeldByAnotherProgramAtStartIsKeptBeforeTheFirstWrite)
{
    const auto original = ThreeEntryFile();
    WriteBytes(m_path, original);
    {
        const CFileHandle held(
            ::CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsOpen());
        ASSERT_TRUE(m_doc.OnNewDocument());
    }
    EXPECT_TRUE(m_doc.m_ScheduleList.empty());
    EXPECT_FALSE(m_messages.empty());
    m_doc.AddEntry(*MakeEntry(L"遠足", 1996, 6, 1));
    EXPECT_EQ(ReadBytes(BackupPath(m_path)), original);
    EXPECT_EQ(ReadBytes(m_path).size(), 8u + 652u);
}

// A folder where the temporary file must go makes every write there fail.
class CBlockedWrite {
public:
    explicit CBlockedWrite(const std::wstring& path) : m_path(TemporaryPath(path))
    {
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~CBlockedWrite() { ::RemoveDirectoryW(m_path.c_str()); }

private:
    std::wstring m_path;
};

TEST_F(PloverDocTest, FailedWriteAfterAnEditIsToldOnceAndTheEditIsWrittenNextTime)
{
    WriteBytes(m_path, ThreeEntryFile());
    ASSERT_TRUE(m_doc.OnNewDocument());
    m_doc.AddEntry(*MakeEntry(L"遠足", 1996, 6, 1));
    EXPECT_EQ(ReadBytes(m_path).size(), 8u + 4 * 652u) << "written at the edit, not at exit";
    {
        const CBlockedWrite blocked(m_path);
        m_doc.AddEntry(*MakeEntry(L"文化祭", 1996, 11, 3));
        m_doc.SetTarget(1);
        ASSERT_EQ(m_messages.size(), 1u) << "told once, not at every edit";
        EXPECT_NE(m_messages[0].text.find(m_path), std::wstring::npos);
        EXPECT_EQ(ReadBytes(m_path).size(), 8u + 4 * 652u);
    }
    m_doc.DeleteEntry(0);
    EXPECT_EQ(m_messages.size(), 1u);
    ScheduleHeader header;
    CScheduleList list;
    const auto bytes = ReadBytes(m_path);
    ASSERT_EQ(ReadSchedule(bytes.data(), bytes.size(), header, list), ScheduleReadResult::Complete);
    ASSERT_EQ(list.size(), 4u) << "the edits kept in memory were written with the next one";
    EXPECT_EQ(SjisToWide(list[3]->Name()), L"文化祭");
    EXPECT_EQ(header.target, 0);
}

TEST_F(PloverDocTest, FailedWriteAtExitAsksOnceAndEachChoiceDoesWhatItSays)
{
    const auto original = ThreeEntryFile();
    WriteBytes(m_path, original);
    ASSERT_TRUE(m_doc.OnNewDocument());
    CScratchDir user;
    m_doc.m_strUserFolder = user.Path() + L"\\WREN\\Plover\\";
    const std::wstring userFile = m_doc.m_strUserFolder + L"Plover.pvd";
    m_doc.m_ScheduleList.pop_back();  // an edit the write on change did not see
    const CBlockedWrite blocked(m_path);
    // Try again (still blocked), quit without saving but say no when asked again,
    // then save in the user's folder.
    std::vector<int> answers{IDTRYAGAIN, IDCANCEL, IDNO, IDCONTINUE};
    SetMessageBoxHook([&](const MessageRecord& message) {
        m_messages.push_back(message);
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    m_doc.OnCloseDocument();
    ASSERT_EQ(m_messages.size(), 4u);
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(m_messages[i].type, static_cast<UINT>(MB_CANCELTRYCONTINUE | MB_DEFBUTTON2 | MB_ICONEXCLAMATION));
        EXPECT_NE(m_messages[i].text.find(m_path), std::wstring::npos) << "where";
        EXPECT_NE(m_messages[i].text.find(m_doc.m_strUserFolder), std::wstring::npos);
    }
    EXPECT_EQ(m_messages[2].type, static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION));
    EXPECT_EQ(ReadBytes(m_path), original);
    EXPECT_EQ(ReadBytes(userFile).size(), 8u + 2 * 652u);
}

TEST_F(PloverDocTest, UnattendedCloseFallsBackSilentlyAndAsksOnlyWhenTheUserFolderFailsToo)
{
    CScratchDir user;
    for (bool userFolderBlocked : {false, true}) {
        const auto original = ThreeEntryFile();
        WriteBytes(m_path, original);
        CPloverDoc doc;
        doc.m_strFilePath = m_path;
        doc.m_strUserFolder = user.Path() + L"\\";
        const std::wstring userFile = doc.m_strUserFolder + L"Plover.pvd";
        ::DeleteFileW(userFile.c_str());
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_bUnattendedClose = true;
        m_messages.clear();
        const CBlockedWrite blocked(m_path);
        std::optional<CBlockedWrite> blockedToo;
        if (userFolderBlocked)
            blockedToo.emplace(userFile);
        // Asked at all, the user quits without saving and confirms.
        std::vector<int> answers{IDCANCEL, IDYES};
        SetMessageBoxHook([&](const MessageRecord& message) {
            m_messages.push_back(message);
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        doc.OnCloseDocument();
        EXPECT_EQ(ReadBytes(m_path), original);
        if (!userFolderBlocked) {
            EXPECT_TRUE(m_messages.empty());
            EXPECT_EQ(ReadBytes(userFile), original);
        } else {
            ASSERT_EQ(m_messages.size(), 2u);
            EXPECT_EQ(m_messages[0].type, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONEXCLAMATION))
                << "no other folder to offer";
            EXPECT_NE(m_messages[0].text.find(userFile), std::wstring::npos);
            EXPECT_FALSE(Exists(userFile));
        }
    }
}

TEST_F(PloverDocTest, NewDayIsNoticedAndTheDaysLeftFollow)
{
    WriteBytes(m_path, ThreeEntryFile());
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_FALSE(m_doc.RefreshToday());
    SetNowSource([] { return LocalTime{1996, 5, 13, 2, 0, 0, 1}; });
    EXPECT_TRUE(m_doc.RefreshToday());
    EXPECT_EQ(m_doc.m_nTodayDay, 13);
    EXPECT_EQ(m_doc.m_nTodayWeekday, 2);
    EXPECT_EQ(m_doc.m_nDaysLeft, 11);
}

// A repeating entry never stands passed: its date moves on at start, at midnight
// and with the 29 February choice, and the file follows, so a reader that knows no
// rules counts to the same day.
TEST_F(PloverDocTest, RepeatingEntriesMoveOnAndTheFileFollows)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"誕生日", 1990, 5, 11));
    list[0]->SetRepeat(RepeatRule::Yearly);
    list.push_back(MakeEntry(L"閏日", 1988, 2, 29));
    list[1]->SetRepeat(RepeatRule::Yearly);
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 12));
    list[2]->SetRepeat(RepeatRule::Daily);
    WriteBytes(m_path, WriteSchedule(0, list));
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.m_nDaysLeft, 364);  // 1997-05-11, and not " は終わりました"
    const auto dateOf = [&](std::size_t i) {
        const CPloverFile& e = *m_doc.m_ScheduleList[i];
        return CivilDate{e.m_wYear, e.m_wMonth, e.m_wDay};
    };
    EXPECT_EQ(dateOf(1), (CivilDate{1997, 2, 28}));
    ScheduleHeader header;
    CScheduleList onDisk;
    ASSERT_EQ(LoadScheduleFile(m_path, header, onDisk).outcome, ScheduleLoad::Loaded);
    EXPECT_EQ(onDisk[0]->m_wYear, 1997);
    EXPECT_EQ(onDisk[0]->m_Repeat, RepeatRule::Yearly);
    EXPECT_EQ(onDisk[0]->Anchor(), (CivilDate{1990, 5, 11}));

    m_doc.SetTarget(2);
    EXPECT_EQ(m_doc.m_nDaysLeft, 0);  // its day: "本日は …"
    SetNowSource([] { return LocalTime{1996, 5, 13, 2, 0, 0, 1}; });
    EXPECT_TRUE(m_doc.RefreshToday());
    EXPECT_EQ(m_doc.m_nDaysLeft, 0);
    EXPECT_EQ(dateOf(2), (CivilDate{1996, 5, 13}));
    CScheduleList later;
    ASSERT_EQ(LoadScheduleFile(m_path, header, later).outcome, ScheduleLoad::Loaded);
    EXPECT_EQ(later[2]->m_wDay, 13);

    m_doc.SetLeapDay(LeapDayRule::March1);
    EXPECT_EQ(dateOf(1), (CivilDate{1997, 3, 1}));
    EXPECT_TRUE(m_messages.empty());
}

// A passed entry without a rule counts the days since it, 1 on the day after.
TEST_F(PloverDocTest, DaysSinceAPassedTargetStartAtOneOnTheDayAfter)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 11));
    list.push_back(MakeEntry(L"入学式", 1995, 5, 12));
    WriteBytes(m_path, WriteSchedule(0, list));
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.m_nDaysLeft, -1);
    EXPECT_EQ(m_doc.m_nDaysSince, 1);
    m_doc.SetTarget(1);
    EXPECT_EQ(m_doc.m_nDaysSince, 366);
}

// Where the schedule lives: the program's folder while it takes writes and no
// refused write has moved this copy away, else the user's roaming folder.
TEST(DataFolder, ChoiceFollowsTheProgramFolderAndAMoveAway)
{
    wchar_t appData[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    const std::wstring user = std::wstring(appData) + L"\\WREN\\Plover\\";
    const std::wstring program = ProgramFolder();
    CMemorySettingsStore settings;
    SetSettingsStore(&settings);

    ChooseDataFolder();
    EXPECT_EQ(DataFolder(), program);
    settings.WriteString(L"ScheduleMovedFrom", L"C:\\Another copy\\");
    ChooseDataFolder();
    EXPECT_EQ(DataFolder(), program) << "another copy's move is not this one's";
    RememberMovedToUserFolder();
    ChooseDataFolder();
    EXPECT_EQ(DataFolder(), user);
    settings.WriteString(L"ScheduleMovedFrom", [&] {
        std::wstring upper = program;
        ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        return upper;
    }());
    ChooseDataFolder();
    EXPECT_EQ(DataFolder(), user) << "the same folder spelt in capitals";
    SetDataFolder({});
    SetSettingsStore(nullptr);
}

TEST(DataFolder, WritableFolderProbeLeavesNothingAndRefusesAMissingFolder)
{
    CScratchDir dir;
    EXPECT_TRUE(IsWritableFolder(dir.Path() + L"\\"));
    EXPECT_TRUE(::RemoveDirectoryW(dir.Path().c_str())) << "the probe was left behind";
    EXPECT_FALSE(IsWritableFolder(dir.Path() + L"\\"));
    EXPECT_FALSE(IsWritableFolder(dir.Path() + L"\\missing\\"));
}

// The user's folder reads the program folder's schedule until it has one of its
// own; a leftover of a write cut short is settled before that choice.
TEST(DataFolder, ReadPathFallsBackToTheProgramFolderAfterTheLeftoverIsSettled)
{
    CScratchDir dir;
    const std::wstring folder = dir.Path() + L"\\";
    const std::wstring own = folder + L"Plover.pvd";
    const std::wstring shipped = ProgramFolder() + L"Plover.pvd";
    SetDataFolder(folder);
    EXPECT_EQ(ScheduleWritePath(), own);
    EXPECT_EQ(ScheduleReadPath(), shipped);
    EXPECT_EQ(PicturePath(L"a.bmp"), ProgramFolder() + L"a.bmp");
    WriteBytes(folder + L"a.bmp", {1});
    EXPECT_EQ(PicturePath(L"a.bmp"), folder + L"a.bmp");

    const auto whole = WriteSchedule(0, MakeSchedule(2, 1));
    WriteBytes(TemporaryPath(own), std::vector<std::uint8_t>(whole.begin(), whole.end() - 1));
    EXPECT_EQ(CPloverDoc().m_strReadPath, shipped) << "a torn leftover is no schedule";
    EXPECT_FALSE(Exists(TemporaryPath(own)));
    WriteBytes(TemporaryPath(own), whole);
    EXPECT_EQ(CPloverDoc().m_strReadPath, L"") << "the finished leftover is read";
    EXPECT_EQ(ReadBytes(own), whole);
    EXPECT_EQ(ScheduleReadPath(), own);

    SetDataFolder({});
}
