#include <gtest/gtest.h>

#include "framework/SjisText.h"

using namespace plover;

TEST(SjisText, ByteLengthCountsHalfWidthKanaAsOneByte)
{
    EXPECT_EQ(SjisByteLength(L"あと"), 4);
    EXPECT_EQ(SjisByteLength(L" 今月の予定 "), 12);
    EXPECT_EQ(SjisByteLength(L"ﾌｧｲﾙ"), 4);
    EXPECT_EQ(SjisByteLength(L"今日は1996年5月12日(日)です"), 27);
    EXPECT_EQ(SjisByteLength(L""), 0);
}

TEST(SjisText, FitLengthStopsOnACharacterBoundary)
{
    const std::string text = "a\x82\xa0" "b";  // a あ b
    EXPECT_EQ(SjisFitLength(text, 0), 0u);
    EXPECT_EQ(SjisFitLength(text, 1), 1u);
    EXPECT_EQ(SjisFitLength(text, 2), 1u);
    EXPECT_EQ(SjisFitLength(text, 3), 3u);
    EXPECT_EQ(SjisFitLength(text, 10), 4u);
    EXPECT_EQ(SjisFitLength("x\x82", 10), 1u);  // a lead byte with nothing after it
}

namespace {

// Code page 932 as far as these cases need it: ASCII and half-width kana one byte,
// '〜' and surrogates not storable, everything else two.
int TestWidth(wchar_t c)
{
    if (c == L'\u301C' || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
}

}  // namespace

TEST(SjisText, FieldKeepsWhatFitsOfTypingAndPasting)
{
    // Typing one character past a full field is refused; the field stays as it was.
    std::wstring full(127, L'a');
    FieldFit fit = FitFieldChange(full, full + L"b", 127, TestWidth);
    EXPECT_EQ(fit.text, full);
    EXPECT_TRUE(fit.tooLong);

    // A double-byte character never half-fits: 126 bytes leave no room for "あ".
    const std::wstring almost(126, L'a');
    fit = FitFieldChange(almost, almost + L"あ", 127, TestWidth);
    EXPECT_EQ(fit.text, almost);
    EXPECT_TRUE(fit.Refused());

    // A paste into the middle keeps what fits and the caret after it; the end stays.
    fit = FitFieldChange(L"abcd", L"ab" + std::wstring(10, L'日') + L"cd", 10, TestWidth);
    EXPECT_EQ(fit.text, L"ab日日日cd");
    EXPECT_EQ(fit.caret, 5u);
    EXPECT_TRUE(fit.tooLong);

    // Characters the code page cannot hold are left out, the others kept.
    fit = FitFieldChange(L"", L"x\u301Cy\xD83D\xDE00z", 127, TestWidth);
    EXPECT_EQ(fit.text, L"xyz");
    EXPECT_TRUE(fit.unstorable);
    EXPECT_FALSE(fit.tooLong);

    // Deleting and replacing within the limit are accepted untouched.
    fit = FitFieldChange(L"日本語", L"日語", 4, TestWidth);
    EXPECT_EQ(fit.text, L"日語");
    EXPECT_FALSE(fit.Refused());
    fit = FitFieldChange(L"ab", L"ｱｲ", 2, TestWidth);
    EXPECT_EQ(fit.text, L"ｱｲ");
    EXPECT_FALSE(fit.Refused());
}
