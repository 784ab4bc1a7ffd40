#include "astro/ZodiacTable.h"

#include "resource.h"

namespace plover {

const ZodiacRow kZodiacTable[kZodiacCount] = {
    {1, L"山羊座", IDB_ZODIAC_CAPRICORNUS,
     L"鷲座アルタイルの南にある、大きな逆三角形の形をした星座。"},
    {2, L"水瓶座", IDB_ZODIAC_AQUARIUS,
     L"鷲座アルタイル・南の魚座フォーマルファウトの間にある星座。"},
    {3, L"魚座", IDB_ZODIAC_PISCES, L"ペガススの四辺形の東側に散らばっている星の集団。"},
    {4, L"牡羊座", IDB_ZODIAC_ARIES, L"アンドロメダ座γ星から南へ。三角座の向こう。"},
    {5, L"牡牛座", IDB_ZODIAC_TAURUS,
     L"プレアデス星団（昴）や、ヒアデス星団・Ｍ１蟹星雲がある。"},
    {6, L"双子座", IDB_ZODIAC_GEMINI,
     L"オリオン座ﾍﾞﾃﾙｷﾞｳｽ・子犬座ﾌﾟﾛｷｵﾝと直角三角形を作る位置にある。"},
    {7, L"蟹座", IDB_ZODIAC_CANCER, L"双眼鏡向けの散開星団であるプレセペがある、暗い星座。"},
    {8, L"獅子座", IDB_ZODIAC_LEO,
     L"獅子の大鎌といわれる逆？型が見つけやすく、一等星レグルスも明るい。"},
    {9, L"乙女座", IDB_ZODIAC_VIRGO,
     L"真珠星ともいわれる一等星スピカが美しい。おとめ座銀河団などもある。"},
    {10, L"天秤座", IDB_ZODIAC_LIBRA,
     L"蠍座のアンタレースと乙女座のスピカの間にある、逆くの字型の星座。"},
    {11, L"蠍座", IDB_ZODIAC_SCORPIUS,
     L"天の川の中にある夏を代表する星座。大きく綺麗なＳ字を描いている。"},
    {12, L"射手座", IDB_ZODIAC_SAGITTARIUS,
     L"蠍座のアンタレースの左、南斗六星が目印。三裂星雲という星雲もある。"},
};

const ZodiacRow* ZodiacForMonth(int month)
{
    if (month < 1 || month > kZodiacCount)
        return nullptr;
    return &kZodiacTable[month - 1];
}

}  // namespace plover
