#include <windows.h>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "framework/FileErrors.h"
#include "framework/MessageBox.h"
#include "framework/TextConv.h"
#include "schedule/PloverDoc.h"
#include "schedule/ScheduleStore.h"
#include "services/LocalTime.h"

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
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        SetNowSource(nullptr);
    }
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (const auto& m : m_messages)
            texts.push_back(m.text);
        return texts;
    }

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

    m_doc.OnCloseDocument();
    EXPECT_EQ(ReadBytes(BackupPath(m_path)), broken);
    EXPECT_EQ(ReadBytes(m_path).size(), 8u + 652u);
}

TEST_F(PloverDocTest, FailedWriteLeavesTheOldFileAndSaysSoTwice)
{
    const auto original = ThreeEntryFile();
    WriteBytes(m_path, original);
    ASSERT_TRUE(m_doc.OnNewDocument());
    // A folder where the temporary file must go makes the write fail.
    ASSERT_TRUE(::CreateDirectoryW(TemporaryPath(m_path).c_str(), nullptr));
    m_doc.m_ScheduleList.pop_back();
    m_doc.OnCloseDocument();
    ::RemoveDirectoryW(TemporaryPath(m_path).c_str());
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_NE(m_messages[0].text.find(m_path), std::wstring::npos);
    EXPECT_EQ(m_messages[1].text, L"ファイルへの書き込みに失敗しました");
    EXPECT_EQ(ReadBytes(m_path), original);
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
