#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "astro/ConstellationTable.h"
#include "framework/SjisText.h"

using namespace plover;

namespace {

std::wstring FullWidth(int number)
{
    std::wstring text;
    for (const char digit : std::to_string(number))
        text += static_cast<wchar_t>(L'０' + (digit - '0'));
    return text;
}

}  // namespace

TEST(ConstellationTable, MonthsHoldTheirRowsInOrder)
{
    const std::size_t sizes[] = {3, 6, 7, 5, 4, 4, 6, 6, 7, 7, 3, 5};
    std::size_t total = 0;
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(ConstellationsOfMonth(month).size(), sizes[month - 1]) << "month " << month;
        total += ConstellationsOfMonth(month).size();
    }
    EXPECT_EQ(total, 63u);
    for (const int month : {0, 13, -1})
        EXPECT_TRUE(ConstellationsOfMonth(month).empty()) << "month " << month;

    std::vector<std::wstring> march;
    for (const ConstellationRow& row : ConstellationsOfMonth(3))
        march.emplace_back(row.name);
    EXPECT_EQ(march, (std::vector<std::wstring>{L"いっかくじゅう座", L"ふたご座", L"こいぬ座",
                                                 L"とも座", L"やまねこ座", L"かに座",
                                                 L"らしんばん座"}));

    const ConstellationRow& cancer = *ConstellationsOfMonth(3).At(5);
    EXPECT_EQ(std::wstring_view(cancer.month), L"３");
    EXPECT_EQ(std::wstring_view(cancer.day), L"２６");
    EXPECT_EQ(std::wstring_view(cancer.hour), L"２０");
    EXPECT_EQ(std::wstring_view(cancer.minute), L"００");
    EXPECT_EQ(std::wstring_view(cancer.description),
              L"暗い星ばかりだが、満月の３倍の大きさの散開星団プレセペがある。黄道１２宮。"
              L"　　　　");
    EXPECT_EQ(ConstellationsOfMonth(3).At(7), nullptr);
    EXPECT_EQ(ConstellationsOfMonth(3).At(-1), nullptr);
}

TEST(ConstellationTable, MomentsAreFullWidthAndAtEightInTheEvening)
{
    for (int month = 1; month <= 12; ++month) {
        for (const ConstellationRow& row : ConstellationsOfMonth(month)) {
            SCOPED_TRACE(::testing::Message() << "month " << month << " " << row.name);
            EXPECT_EQ(row.month, FullWidth(month));
            const std::wstring_view day(row.day);
            EXPECT_TRUE(!day.empty() && day.size() <= 2 && day[0] != L'０');
            for (const wchar_t digit : day)
                EXPECT_TRUE(digit >= L'０' && digit <= L'９');
            const bool leoMinor = std::wstring_view(row.name) == L"こじし座";
            EXPECT_EQ(std::wstring_view(row.hour), leoMinor ? L"２２" : L"２０");
            EXPECT_EQ(std::wstring_view(row.minute), L"００");
        }
    }
}

TEST(ConstellationTable, DescriptionsFillEightyTwoBytesFromFebruaryOn)
{
    for (const ConstellationRow& row : ConstellationsOfMonth(1)) {
        const std::wstring_view text(row.description);
        EXPECT_FALSE(text.empty());
        EXPECT_NE(text.back(), L'　') << "January's descriptions carry no filling";
        EXPECT_NE(text.back(), L' ');
    }
    for (int month = 2; month <= 12; ++month) {
        for (const ConstellationRow& row : ConstellationsOfMonth(month)) {
            const std::wstring_view text(row.description);
            SCOPED_TRACE(::testing::Message() << "month " << month << " " << row.name);
            EXPECT_EQ(SjisByteLength(text), 82);
            // The filling is one kind of blank, and only the eagle's is ASCII.
            const wchar_t blank = std::wstring_view(row.name) == L"わし座" ? L' ' : L'　';
            const std::wstring_view sentence = text.substr(0, text.find_last_not_of(L" 　") + 1);
            EXPECT_EQ(text.find_first_not_of(blank, sentence.size()), std::wstring_view::npos);
            EXPECT_EQ(sentence.back(), L'。');
        }
    }
}
