// The constellation guide on real windows: each month's list, the chosen row's
// moment and description, the focus kept on the list, the table's texts through
// code page 932, and a thousand openings that leave nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowScript.h"
#include "WineTestSupport.h"
#include "astro/ConstellationDlg.h"
#include "framework/Gdi.h"
#include "framework/SjisText.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr UINT kList = IDC_CONSTELLATION_LIST;
constexpr UINT kFields[] = {IDC_CONSTELLATION_MONTH, IDC_CONSTELLATION_DAY,
                            IDC_CONSTELLATION_HOUR, IDC_CONSTELLATION_MINUTE,
                            IDC_CONSTELLATION_DESCRIPTION};

int ListCount(HWND dialog)
{
    return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, kList), LB_GETCOUNT, 0, 0));
}

void ExpectFieldsEmpty(HWND dialog)
{
    for (const UINT id : kFields)
        EXPECT_EQ(Text(dialog, id), L"") << "field " << id;
}

}  // namespace

TEST(ConstellationDlg, ListsTheMonthAndShowsTheChosenRow)
{
    CConstellationDlg dialog(nullptr, 3);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.m_hWnd;
    ASSERT_EQ(ListCount(window), 7);
    const wchar_t* names[] = {L"いっかくじゅう座", L"ふたご座", L"こいぬ座", L"とも座",
                              L"やまねこ座", L"かに座", L"らしんばん座"};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(ListRow(window, kList, row), names[row]);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(window, kList), LB_GETCURSEL, 0, 0), LB_ERR);
    ExpectFieldsEmpty(window);

    ChooseRow(window, kList, 5);
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_MONTH), L"３");
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_DAY), L"２６");
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_HOUR), L"２０");
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_MINUTE), L"００");
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_DESCRIPTION),
              L"暗い星ばかりだが、満月の３倍の大きさの散開星団プレセペがある。黄道１２宮。")
        << "shown without its filling";
    ChooseRow(window, kList, 6);
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_DAY), L"３１");
    EXPECT_EQ(Text(window, IDC_CONSTELLATION_DESCRIPTION).substr(0, 5), L"アルゴ船の")
        << "only the chosen row's description";
    Click(window, IDOK);
    EXPECT_EQ(dialog.m_hWnd, nullptr);

    CConstellationDlg april(nullptr, 4);
    ASSERT_TRUE(april.Create());
    ASSERT_EQ(ListRow(april.m_hWnd, kList, 2), L"こじし座");
    ChooseRow(april.m_hWnd, kList, 2);
    EXPECT_EQ(Text(april.m_hWnd, IDC_CONSTELLATION_HOUR), L"２２");

    CConstellationDlg september(nullptr, 9);
    ASSERT_TRUE(september.Create());
    ASSERT_EQ(ListRow(september.m_hWnd, kList, 1), L"わし座");
    ChooseRow(september.m_hWnd, kList, 1);
    const std::wstring eagle = Text(september.m_hWnd, IDC_CONSTELLATION_DESCRIPTION);
    EXPECT_EQ(eagle.substr(eagle.size() - 5), L"呼ばれる。") << "its ASCII filling left out too";
}

TEST(ConstellationDlg, MonthsOutsideTheYearShowNothing)
{
    for (const int month : {0, 13}) {
        CConstellationDlg dialog(nullptr, month);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(ListCount(dialog.m_hWnd), 0) << "month " << month;
        ChooseRow(dialog.m_hWnd, kList, 0);
        ExpectFieldsEmpty(dialog.m_hWnd);
    }
}

TEST(ConstellationDlg, FieldsHandTheFocusBackToTheList)
{
    CConstellationDlg dialog(nullptr, 9);
    ASSERT_TRUE(dialog.Create());
    const HWND list = ::GetDlgItem(dialog.m_hWnd, kList);
    ChooseRow(dialog.m_hWnd, kList, 1);
    for (const UINT id : kFields) {
        ::SetFocus(::GetDlgItem(dialog.m_hWnd, static_cast<int>(id)));
        EXPECT_EQ(::GetFocus(), list) << "field " << id;
    }
}

// The native test counts bytes by rule; here the code page itself converts, which
// also finds a character it cannot hold (a stand-in "?" would be shown instead).
TEST(ConstellationDlg, DescriptionsConvertToTheirLengthInCodePage932)
{
    for (int month = 1; month <= 12; ++month) {
        for (const ConstellationRow& row : ConstellationsOfMonth(month)) {
            for (const wchar_t* text : {row.name, row.description}) {
                BOOL defaulted = FALSE;
                const int bytes = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text, -1,
                                                        nullptr, 0, nullptr, &defaulted) - 1;
                EXPECT_FALSE(defaulted) << "month " << month << " " << row.name;
                EXPECT_EQ(bytes, SjisByteLength(text)) << "month " << month << " " << row.name;
            }
            if (month >= 2) {
                EXPECT_EQ(SjisByteLength(row.description), 82) << row.name;
            }
        }
    }
}


TEST(ConstellationDlg, ThousandOpeningsLeaveNothingBehind)
{
    // A row chosen first, as a user would.
    ExpectNothingLeftBehind(
        [] {
            const auto choose = [](HWND window) { ChooseRow(window, kList, 5); };
            ASSERT_EQ(CCancelAtOnce<CConstellationDlg>(choose, nullptr, 2).DoModal(), IDCANCEL);
        },
        1000);
}
