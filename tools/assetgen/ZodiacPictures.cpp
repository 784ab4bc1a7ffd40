#include "ZodiacPictures.h"

#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "resource.h"

namespace plover::assetgen {

namespace {

// Starlight by spectral class, roughly as the eye sees it.
enum class ETint
{
    White,   // A and F stars
    Blue,    // O and B stars
    Yellow,  // G and early K stars
    Orange,  // late K and M giants
    Red,     // the reddest M stars (Antares)
};

// One star of a figure: J2000 right ascension "h m s" and declination "±d m s" with
// its visual magnitude, as the Yale Bright Star Catalogue (5th revised edition)
// lists them.  Keys are the catalogue's Bayer or Flamsteed designations.
struct SCatalogStar
{
    const char* pszKey;
    const char* pszRa;
    const char* pszDec;
    double dMagnitude;
    ETint tint;
};

// A star cluster shown as a patch of faint specks rather than star by star.
struct SCluster
{
    const char* pszRa;
    const char* pszDec;
    double dRadiusDegrees;
    int nSpecks;
};

struct SFigure
{
    int nBitmapId;
    std::vector<SCatalogStar> stars;
    // Each line of the figure as a chain of keys: "alp-bet-gam".
    std::vector<const char*> lines;
    std::vector<SCluster> clusters;
};

using T = ETint;

const std::vector<SFigure>& Figures()
{
    static const std::vector<SFigure> s_figures = {
        // Capricornus: the wide upturned triangle of a sea-goat.
        {IDB_ZODIAC_CAPRICORNUS,
         {{"alp2", "20 18 03.3", "-12 32 42", 3.57, T::Yellow},
          {"bet", "20 21 00.7", "-14 46 53", 3.08, T::Yellow},
          {"psi", "20 46 05.7", "-25 16 15", 4.14, T::White},
          {"ome", "20 51 49.3", "-26 55 09", 4.11, T::Orange},
          {"24", "21 07 07.7", "-25 00 21", 4.50, T::Orange},
          {"zet", "21 26 40.0", "-22 24 41", 3.74, T::Yellow},
          {"eps", "21 37 04.8", "-19 27 58", 4.68, T::Blue},
          {"del", "21 47 02.4", "-16 07 38", 2.87, T::White},
          {"gam", "21 40 05.5", "-16 39 44", 3.68, T::White},
          {"iot", "21 22 14.8", "-16 50 04", 4.28, T::Yellow},
          {"the", "21 05 56.8", "-17 13 58", 4.07, T::White}},
         {"alp2-bet-psi-ome-24-zet-eps-del-gam-iot-the-alp2"},
         {}},
        // Aquarius: the water jar of four stars, the bearer's body and the stream
        // pouring south.
        {IDB_ZODIAC_AQUARIUS,
         {{"eps", "20 47 40.6", "-09 29 45", 3.77, T::White},
          {"bet", "21 31 33.5", "-05 34 16", 2.91, T::Yellow},
          {"alp", "22 05 47.0", "-00 19 11", 2.96, T::Yellow},
          {"gam", "22 21 39.4", "-01 23 14", 3.84, T::White},
          {"zet", "22 28 49.9", "-00 01 13", 3.65, T::White},
          {"eta", "22 35 21.4", "-00 07 03", 4.02, T::Blue},
          {"pi", "22 25 16.6", "+01 22 39", 4.66, T::Blue},
          {"the", "22 16 50.0", "-07 47 00", 4.16, T::Yellow},
          {"iot", "22 06 26.2", "-13 52 11", 4.27, T::Blue},
          {"lam", "22 52 36.9", "-07 34 47", 3.74, T::Orange},
          {"tau2", "22 49 35.5", "-13 35 33", 4.01, T::Orange},
          {"del", "22 54 39.0", "-15 49 15", 3.27, T::White},
          {"phi", "23 14 19.4", "-06 02 56", 4.22, T::Orange},
          {"psi1", "23 15 53.5", "-09 05 16", 4.21, T::Yellow},
          {"ome2", "23 42 43.3", "-14 32 42", 4.49, T::Blue},
          {"99", "23 26 02.8", "-20 38 31", 4.39, T::Orange},
          {"98", "23 22 58.2", "-20 06 02", 3.97, T::Yellow},
          {"88", "23 09 26.8", "-21 10 21", 3.66, T::Yellow}},
         {"eps-bet-alp-gam-zet-eta", "pi-zet", "alp-the-iot", "the-lam-tau2-del",
          "lam-phi-psi1-ome2-99-98-88"},
         {}},
        // Pisces: the western fish's circlet and the eastern fish, tied by two
        // cords that meet at the knot, Alrescha.
        {IDB_ZODIAC_PISCES,
         {{"bet", "23 03 52.6", "+03 49 12", 4.53, T::Blue},
          {"gam", "23 17 09.9", "+03 16 56", 3.69, T::Yellow},
          {"7", "23 20 20.6", "+05 22 53", 5.05, T::Yellow},
          {"the", "23 27 58.1", "+06 22 44", 4.28, T::Yellow},
          {"iot", "23 39 57.0", "+05 37 35", 4.13, T::White},
          {"lam", "23 42 02.8", "+01 46 48", 4.50, T::White},
          {"kap", "23 26 55.9", "+01 15 20", 4.94, T::White},
          {"ome", "23 59 18.7", "+06 51 48", 4.01, T::White},
          {"del", "00 48 40.9", "+07 35 06", 4.43, T::Orange},
          {"eps", "01 02 56.6", "+07 53 24", 4.28, T::Yellow},
          {"zet", "01 13 43.9", "+07 34 32", 5.24, T::White},
          {"mu", "01 30 11.1", "+06 08 38", 4.84, T::Orange},
          {"nu", "01 41 25.9", "+05 29 15", 4.44, T::Orange},
          {"xi", "01 53 33.4", "+03 11 15", 4.62, T::Yellow},
          {"alp", "02 02 02.8", "+02 45 49", 3.82, T::White},
          {"omi", "01 45 23.6", "+09 09 28", 4.26, T::Yellow},
          {"eta", "01 31 29.0", "+15 20 45", 3.62, T::Yellow},
          {"chi", "01 11 27.2", "+21 02 05", 4.66, T::Yellow},
          {"phi", "01 13 44.9", "+24 35 01", 4.65, T::Yellow},
          {"ups", "01 19 27.9", "+27 15 51", 4.76, T::White},
          {"tau", "01 11 39.6", "+30 05 23", 4.51, T::Yellow}},
         {"bet-gam-7-the-iot-lam-kap-gam", "iot-ome-del-eps-zet-mu-nu-xi-alp",
          "alp-omi-eta-chi-phi-ups-tau"},
         {}},
        // Aries: the bent line of its three head stars, Hamal the brightest.
        {IDB_ZODIAC_ARIES,
         {{"gam", "01 53 31.8", "+19 17 38", 3.88, T::White},
          {"bet", "01 54 38.4", "+20 48 29", 2.64, T::White},
          {"alp", "02 07 10.4", "+23 27 45", 2.00, T::Orange},
          {"41", "02 49 59.0", "+27 15 38", 3.63, T::Blue},
          {"eps", "02 59 12.7", "+21 20 25", 4.63, T::White},
          {"del", "03 11 37.8", "+19 43 36", 4.35, T::Orange}},
         {"gam-bet-alp-41", "alp-eps-del"},
         {}},
        // Taurus: the V of the Hyades with Aldebaran, the long horns to Elnath and
        // zeta, the forelegs, and the Pleiades on the bull's shoulder.
        {IDB_ZODIAC_TAURUS,
         {{"alp", "04 35 55.2", "+16 30 33", 0.85, T::Orange},
          {"bet", "05 26 17.5", "+28 36 27", 1.65, T::Blue},
          {"zet", "05 37 38.7", "+21 08 33", 3.00, T::Blue},
          {"the2", "04 28 39.7", "+15 52 15", 3.40, T::White},
          {"gam", "04 19 47.6", "+15 37 39", 3.65, T::Yellow},
          {"del1", "04 22 56.1", "+17 32 33", 3.76, T::Yellow},
          {"eps", "04 28 37.0", "+19 10 50", 3.53, T::Yellow},
          {"lam", "04 00 40.8", "+12 29 25", 3.47, T::Blue},
          {"omi", "03 24 48.8", "+09 01 44", 3.60, T::Yellow},
          {"xi", "03 27 10.2", "+09 43 58", 3.74, T::Blue},
          {"mu", "04 15 32.1", "+08 53 32", 4.29, T::Blue},
          {"nu", "04 03 09.4", "+05 59 21", 3.91, T::White},
          {"eta", "03 47 29.1", "+24 06 18", 2.87, T::Blue},
          {"27", "03 49 09.7", "+24 03 12", 3.63, T::Blue},
          {"17", "03 44 52.5", "+24 06 48", 3.70, T::Blue},
          {"20", "03 45 49.6", "+24 22 04", 3.87, T::Blue},
          {"23", "03 46 19.6", "+23 56 54", 4.18, T::Blue},
          {"19", "03 45 12.5", "+24 28 02", 4.30, T::Blue}},
         {"zet-alp-the2-gam-del1-eps-bet", "gam-lam-xi-omi", "gam-mu-nu"},
         {}},
        // Gemini: the twins side by side, Castor's line from its head and Pollux's
        // beside it, their feet on the Milky Way.
        {IDB_ZODIAC_GEMINI,
         {{"alp", "07 34 36.0", "+31 53 18", 1.58, T::White},
          {"bet", "07 45 18.9", "+28 01 34", 1.14, T::Orange},
          {"gam", "06 37 42.7", "+16 23 57", 1.93, T::White},
          {"mu", "06 22 57.6", "+22 30 49", 2.88, T::Red},
          {"eps", "06 43 55.9", "+25 07 52", 2.98, T::Yellow},
          {"eta", "06 14 52.7", "+22 30 24", 3.28, T::Red},
          {"xi", "06 45 17.4", "+12 53 44", 3.36, T::White},
          {"del", "07 20 07.4", "+21 58 56", 3.53, T::White},
          {"kap", "07 44 26.9", "+24 23 53", 3.57, T::Yellow},
          {"lam", "07 18 05.6", "+16 32 25", 3.58, T::White},
          {"the", "06 52 47.3", "+33 57 40", 3.60, T::White},
          {"zet", "07 04 06.5", "+20 34 13", 3.79, T::Yellow},
          {"iot", "07 25 43.6", "+27 47 53", 3.79, T::Yellow},
          {"tau", "07 11 08.4", "+30 14 43", 4.41, T::Orange},
          {"nu", "06 28 57.8", "+20 12 44", 4.15, T::Blue},
          {"ups", "07 35 55.3", "+26 53 45", 4.06, T::Orange}},
         {"alp-tau-eps-mu-eta", "the-tau-iot-ups-bet-kap", "eps-nu",
          "ups-del-zet-gam", "del-lam-xi"},
         {}},
        // Cancer: a faint upside-down Y with the Beehive cluster, Praesepe, beside
        // the two donkeys gamma and delta.
        {IDB_ZODIAC_CANCER,
         {{"bet", "08 16 30.9", "+09 11 08", 3.52, T::Orange},
          {"del", "08 44 41.1", "+18 09 15", 3.94, T::Yellow},
          {"gam", "08 43 17.1", "+21 28 07", 4.66, T::White},
          {"iot", "08 46 41.8", "+28 45 36", 4.02, T::Yellow},
          {"alp", "08 58 29.2", "+11 51 28", 4.25, T::White}},
         {"bet-del-gam-iot", "del-alp"},
         {{"08 40 24", "+19 40 00", 0.6, 18}}},
        // Leo: the sickle of its head and mane, the reversed question mark ending in
        // Regulus, and the triangle of its hindquarters.
        {IDB_ZODIAC_LEO,
         {{"alp", "10 08 22.3", "+11 58 02", 1.35, T::Blue},
          {"bet", "11 49 03.6", "+14 34 19", 2.14, T::White},
          {"gam", "10 19 58.4", "+19 50 29", 2.01, T::Orange},
          {"del", "11 14 06.5", "+20 31 25", 2.56, T::White},
          {"eps", "09 45 51.1", "+23 46 27", 2.98, T::Yellow},
          {"the", "11 14 14.4", "+15 25 46", 3.34, T::White},
          {"zet", "10 16 41.4", "+23 25 02", 3.44, T::White},
          {"eta", "10 07 19.9", "+16 45 45", 3.52, T::White},
          {"mu", "09 52 45.8", "+26 00 25", 3.88, T::Orange},
          {"iot", "11 23 55.5", "+10 31 45", 3.94, T::White},
          {"sig", "11 21 08.2", "+06 01 46", 4.05, T::Blue}},
         {"alp-eta-gam-zet-mu-eps", "gam-del-bet-the-alp", "the-iot-sig"},
         {}},
        // Virgo: Spica at the maiden's hand, Vindemiatrix at her raised arm, her
        // body and legs reaching east.
        {IDB_ZODIAC_VIRGO,
         {{"alp", "13 25 11.6", "-11 09 41", 0.98, T::Blue},
          {"gam", "12 41 39.6", "-01 26 58", 2.74, T::White},
          {"eps", "13 02 10.6", "+10 57 33", 2.83, T::Yellow},
          {"zet", "13 34 41.6", "-00 35 45", 3.37, T::White},
          {"del", "12 55 36.2", "+03 23 51", 3.38, T::Red},
          {"bet", "11 50 41.7", "+01 45 53", 3.61, T::White},
          {"eta", "12 19 54.4", "-00 40 00", 3.89, T::White},
          {"mu", "14 43 03.6", "-05 39 30", 3.88, T::White},
          {"iot", "14 16 00.9", "-06 00 02", 4.08, T::White},
          {"109", "14 46 15.0", "+01 53 34", 3.72, T::White},
          {"tau", "14 01 38.8", "+01 32 40", 4.26, T::White},
          {"nu", "11 45 51.6", "+06 31 46", 4.03, T::Orange},
          {"omi", "12 05 12.5", "+08 43 59", 4.12, T::Yellow},
          {"the", "13 09 56.9", "-05 32 20", 4.38, T::White}},
         {"omi-nu-bet-eta-gam-del-eps", "gam-the-alp", "del-zet-tau-109",
          "zet-iot-mu"},
         {}},
        // Libra: the scales' beam from Zubenelgenubi up to Zubeneschamali and down
        // to gamma, with a pan hanging from each end.
        {IDB_ZODIAC_LIBRA,
         {{"alp2", "14 50 52.7", "-16 02 30", 2.75, T::White},
          {"bet", "15 17 00.4", "-09 22 59", 2.61, T::Blue},
          {"sig", "15 04 04.2", "-25 16 55", 3.29, T::Red},
          {"gam", "15 35 31.6", "-14 47 22", 3.91, T::Yellow},
          {"ups", "15 37 01.4", "-28 08 06", 3.58, T::Orange},
          {"tau", "15 38 39.4", "-29 46 40", 3.66, T::Blue},
          {"the", "15 53 49.5", "-16 43 46", 4.15, T::Yellow}},
         {"sig-alp2-bet-gam-alp2", "gam-ups-tau", "gam-the"},
         {}},
        // Scorpius: the claws in a bow around beta, red Antares at the heart and the
        // long curved tail down to the sting of Shaula and Lesath.
        {IDB_ZODIAC_SCORPIUS,
         {{"alp", "16 29 24.5", "-26 25 55", 1.09, T::Red},
          {"lam", "17 33 36.5", "-37 06 14", 1.63, T::Blue},
          {"the", "17 37 19.1", "-42 59 52", 1.87, T::White},
          {"del", "16 00 20.0", "-22 37 18", 2.32, T::Blue},
          {"eps", "16 50 09.8", "-34 17 36", 2.29, T::Orange},
          {"kap", "17 42 29.3", "-39 01 48", 2.41, T::Blue},
          {"bet1", "16 05 26.2", "-19 48 19", 2.62, T::Blue},
          {"ups", "17 30 45.8", "-37 17 45", 2.69, T::Blue},
          {"tau", "16 35 53.0", "-28 12 58", 2.82, T::Blue},
          {"pi", "15 58 51.1", "-26 06 51", 2.89, T::Blue},
          {"sig", "16 21 11.3", "-25 35 34", 2.89, T::Blue},
          {"iot1", "17 47 35.1", "-40 07 37", 2.99, T::White},
          {"mu1", "16 51 52.2", "-38 02 51", 3.08, T::Blue},
          {"zet2", "16 54 35.0", "-42 21 41", 3.62, T::Orange},
          {"eta", "17 12 09.2", "-43 14 21", 3.33, T::White},
          {"rho", "15 56 53.1", "-29 12 51", 3.88, T::Blue},
          {"nu", "16 11 59.7", "-19 27 39", 4.01, T::Blue}},
         {"nu-bet1-del-pi-rho",
          "del-sig-alp-tau-eps-mu1-zet2-eta-the-iot1-kap-lam-ups"},
         {}},
        // Sagittarius: the teapot (its spout, lid and handle; the handle's stars are
        // the Southern Dipper) with the archer's bow tip mu.
        {IDB_ZODIAC_SAGITTARIUS,
         {{"eps", "18 24 10.3", "-34 23 05", 1.85, T::Blue},
          {"sig", "18 55 15.9", "-26 17 48", 2.05, T::Blue},
          {"zet", "19 02 36.7", "-29 52 49", 2.60, T::White},
          {"del", "18 20 59.6", "-29 49 41", 2.70, T::Orange},
          {"lam", "18 27 58.2", "-25 25 18", 2.81, T::Yellow},
          {"gam2", "18 05 48.5", "-30 25 27", 2.99, T::Yellow},
          {"eta", "18 17 37.6", "-36 45 42", 3.11, T::Red},
          {"phi", "18 45 39.4", "-26 59 27", 3.17, T::Blue},
          {"tau", "19 06 56.4", "-27 40 13", 3.32, T::Orange},
          {"mu", "18 13 45.8", "-21 03 32", 3.86, T::Blue}},
         {"gam2-del-eps-gam2", "del-lam-phi-del", "eps-zet-phi", "phi-sig-tau-zet",
          "lam-mu", "eps-eta"},
         {}},
    };
    return s_figures;
}

// "20 18 03.3" as hours, "-12 32 42" as degrees, each in radians; the sign of a
// declination stands in its text, so "-00 19 11" stays south.
double ParseAngle(const char* psz, double dUnitDegrees)
{
    double d = 0, m = 0, s = 0;
    std::sscanf(psz, "%lf %lf %lf", &d, &m, &s);
    const double dSign = std::string(psz).find('-') != std::string::npos ? -1 : 1;
    return dSign * Radians((std::abs(d) + m / 60 + s / 3600) * dUnitDegrees);
}

double RightAscension(const char* psz) { return ParseAngle(psz, 15); }
double Declination(const char* psz) { return ParseAngle(psz, 1); }

// Where the figure lies on the picture: the sky round its middle projected onto a
// plane (gnomonic, so the great circles between stars stay straight lines), north
// up and east to the left as the sky is seen from the ground; then scaled to fit
// inside the margin.
class CSkyProjection
{
public:
    CSkyProjection(const SFigure& figure, int nWidth, int nHeight)
    {
        // The middle of the figure's spread in right ascension, taken across 0h
        // where the figure straddles it (Pisces).
        const double dFirst = RightAscension(figure.stars.front().pszRa);
        double dLowRa = 0, dHighRa = 0, dLowDec = 0, dHighDec = 0;
        bool bFirst = true;
        for (const SCatalogStar& star : figure.stars) {
            const double dRa = Wrapped(RightAscension(star.pszRa) - dFirst);
            const double dDec = Declination(star.pszDec);
            dLowRa = bFirst ? dRa : std::min(dLowRa, dRa);
            dHighRa = bFirst ? dRa : std::max(dHighRa, dRa);
            dLowDec = bFirst ? dDec : std::min(dLowDec, dDec);
            dHighDec = bFirst ? dDec : std::max(dHighDec, dDec);
            bFirst = false;
        }
        m_dRa0 = dFirst + (dLowRa + dHighRa) / 2;
        m_dDec0 = (dLowDec + dHighDec) / 2;

        double dLeft = 0, dRight = 0, dTop = 0, dBottom = 0;
        bFirst = true;
        for (const SCatalogStar& star : figure.stars) {
            const SPoint p = Plane(star);
            dLeft = bFirst ? p.x : std::min(dLeft, p.x);
            dRight = bFirst ? p.x : std::max(dRight, p.x);
            dTop = bFirst ? p.y : std::min(dTop, p.y);
            dBottom = bFirst ? p.y : std::max(dBottom, p.y);
            bFirst = false;
        }
        // Room for the largest star's glow at the edges.
        constexpr double kMargin = 9;
        m_dScale = std::min((nWidth - 2 * kMargin) / std::max(dRight - dLeft, 1e-9),
                            (nHeight - 2 * kMargin) / std::max(dBottom - dTop, 1e-9));
        m_dOffsetX = nWidth / 2.0 - m_dScale * (dLeft + dRight) / 2;
        m_dOffsetY = nHeight / 2.0 - m_dScale * (dTop + dBottom) / 2;
    }

    // The pixel a point of the sky falls in, as that pixel's centre.
    SPoint ToPixel(const char* pszRa, const char* pszDec) const
    {
        const SPoint p = Plane(RightAscension(pszRa), Declination(pszDec));
        return SPoint{std::floor(m_dOffsetX + m_dScale * p.x) + 0.5,
                      std::floor(m_dOffsetY + m_dScale * p.y) + 0.5};
    }
    SPoint ToPixel(const SCatalogStar& star) const { return ToPixel(star.pszRa, star.pszDec); }

    // Pixels per radian near the middle.
    double Scale() const { return m_dScale; }

private:
    static double Wrapped(double dAngle)
    {
        while (dAngle > kPi)
            dAngle -= 2 * kPi;
        while (dAngle <= -kPi)
            dAngle += 2 * kPi;
        return dAngle;
    }

    SPoint Plane(const SCatalogStar& star) const
    {
        return Plane(RightAscension(star.pszRa), Declination(star.pszDec));
    }

    // Screen-oriented plane coordinates: x grows westwards, y southwards.
    SPoint Plane(double dRa, double dDec) const
    {
        const double dDeltaRa = dRa - m_dRa0;
        const double dCosC = std::sin(m_dDec0) * std::sin(dDec) +
                             std::cos(m_dDec0) * std::cos(dDec) * std::cos(dDeltaRa);
        const double xi = std::cos(dDec) * std::sin(dDeltaRa) / dCosC;
        const double eta = (std::cos(m_dDec0) * std::sin(dDec) -
                            std::sin(m_dDec0) * std::cos(dDec) * std::cos(dDeltaRa)) / dCosC;
        return SPoint{-xi, -eta};
    }

    double m_dRa0 = 0;
    double m_dDec0 = 0;
    double m_dScale = 1;
    double m_dOffsetX = 0;
    double m_dOffsetY = 0;
};

// The palette, by use.
namespace sky {
constexpr SColor kSky[3] = {{5, 7, 24}, {10, 15, 40}, {16, 23, 57}};
constexpr SColor kFaintSpeck{52, 60, 96};
constexpr SColor kSpeck{96, 104, 140};
constexpr SColor kLine{58, 86, 138};
constexpr SColor kGlow{40, 52, 100};
constexpr SColor kWarmGlow{100, 58, 60};
constexpr SColor kDimStar{170, 178, 205};
constexpr SColor kWarmDim{190, 126, 96};
constexpr SColor kWhite{236, 240, 255};
constexpr SColor kBlue{176, 200, 255};
constexpr SColor kYellow{255, 240, 186};
constexpr SColor kOrange{255, 184, 110};
constexpr SColor kRed{255, 120, 84};
constexpr SColor kCore{255, 255, 255};
}  // namespace sky

SColor TintColor(ETint tint)
{
    switch (tint) {
    case ETint::White: return sky::kWhite;
    case ETint::Blue: return sky::kBlue;
    case ETint::Yellow: return sky::kYellow;
    case ETint::Orange: return sky::kOrange;
    case ETint::Red: return sky::kRed;
    }
    return sky::kWhite;
}

bool IsWarm(ETint tint)
{
    return tint == ETint::Orange || tint == ETint::Red;
}

// The star's disc: a first-magnitude star about five pixels across, a fifth
// magnitude one a single pixel.
double StarRadius(double dMagnitude)
{
    return std::clamp(0.5 + 0.55 * (4.5 - dMagnitude), 0.5, 2.35);
}

// A small generator of our own, so the background is the same on every build.
class CRandom
{
public:
    explicit CRandom(std::uint32_t nSeed) : m_nState(nSeed ? nSeed : 1) {}
    std::uint32_t Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    // 0 <= value < 1
    double Unit() { return (Next() >> 8) / double(1u << 24); }

private:
    std::uint32_t m_nState;
};

// Night sky a shade lighter towards the bottom, the steps between the sky colours
// broken up by an ordered dither so no band shows.
void PaintSky(CCanvas& canvas)
{
    static const int s_bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int nHeight = canvas.Height();
    for (int y = 0; y < nHeight; ++y) {
        const double dLevel = 2.0 * y / std::max(nHeight - 1, 1);
        for (int x = 0; x < canvas.Width(); ++x) {
            const int nBase = std::min(static_cast<int>(dLevel), 1);
            const double dFraction = dLevel - nBase;
            const bool bUp = dFraction * 16 > s_bayer[y % 4][x % 4] + 0.5;
            canvas.SetPixel(x, y, sky::kSky[nBase + (bUp ? 1 : 0)]);
        }
    }
}

// Faint background stars, none right beside a star of the figure so each stands clear.
void PaintBackgroundStars(CCanvas& canvas, const std::vector<SPoint>& figure,
                          std::uint32_t nSeed)
{
    CRandom random(nSeed);
    // As many as at 1x, whatever the scale: a larger picture is the same sky.
    const int nCount = static_cast<int>(canvas.Width() * canvas.Height() /
                                        (150 * canvas.Scale() * canvas.Scale()));
    for (int i = 0; i < nCount; ++i) {
        const int x = static_cast<int>(random.Unit() * canvas.Width());
        const int y = static_cast<int>(random.Unit() * canvas.Height());
        const bool bBrighter = random.Unit() < 0.22;
        bool bNearStar = false;
        const double dScale = canvas.Scale();
        for (const SPoint& p : figure)
            bNearStar = bNearStar || std::hypot((x + 0.5) / dScale - p.x, (y + 0.5) / dScale - p.y) < 5;
        if (!bNearStar)
            canvas.SetPixel(x, y, bBrighter ? sky::kSpeck : sky::kFaintSpeck);
    }
}

void PaintCluster(CCanvas& canvas, const CSkyProjection& projection, const SCluster& cluster,
                  std::uint32_t nSeed)
{
    const SPoint center = projection.ToPixel(cluster.pszRa, cluster.pszDec);
    // Never so small that the specks run together.
    const double dRadius = std::max(Radians(cluster.dRadiusDegrees) * projection.Scale(), 5.0);
    CRandom random(nSeed);
    canvas.FillCircle(center, dRadius * 0.6, sky::kGlow);
    for (int i = 0; i < cluster.nSpecks; ++i) {
        // Crowded towards the middle, as a cluster is.
        const double dDistance = dRadius * random.Unit() * (0.4 + 0.6 * random.Unit());
        const double dAngle = 2 * kPi * random.Unit();
        const int x = static_cast<int>(std::floor(center.x + dDistance * std::cos(dAngle)));
        const int y = static_cast<int>(std::floor(center.y + dDistance * std::sin(dAngle)));
        canvas.FillDot(x, y, i % 3 ? sky::kDimStar : sky::kSpeck);
    }
}

// A line of the figure, stopping short of both stars so each stands free.
void PaintFigureLine(CCanvas& canvas, SPoint from, double dFromRadius, SPoint to, double dToRadius)
{
    const double dLength = std::hypot(to.x - from.x, to.y - from.y);
    const double dGapFrom = dFromRadius + 1.3;
    const double dGapTo = dToRadius + 1.3;
    if (dLength <= dGapFrom + dGapTo + 1)
        return;
    const double ux = (to.x - from.x) / dLength;
    const double uy = (to.y - from.y) / dLength;
    canvas.DrawLine(SPoint{from.x + ux * dGapFrom, from.y + uy * dGapFrom},
                    SPoint{to.x - ux * dGapTo, to.y - uy * dGapTo}, 1.0, sky::kLine);
}

// What shines around a bright star: a glow, and short rays along the axes for the
// brightest.  Painted for every star before any disc, so no glow covers a
// neighbour's disc.
void PaintStarGlow(CCanvas& canvas, SPoint at, double dMagnitude, ETint tint)
{
    const double dRadius = StarRadius(dMagnitude);
    const SColor glow = IsWarm(tint) ? sky::kWarmGlow : sky::kGlow;
    if (dMagnitude < 1.5) {
        const double dRay = dRadius + 3.5;
        canvas.DrawLine(SPoint{at.x - dRay, at.y}, SPoint{at.x + dRay, at.y}, 1.0, glow);
        canvas.DrawLine(SPoint{at.x, at.y - dRay}, SPoint{at.x, at.y + dRay}, 1.0, glow);
    }
    if (dMagnitude < 3.0)
        canvas.FillCircle(at, dRadius + 1.3, glow);
}

// The disc in two tones: a dimmer rim half a pixel wide rounds off what would
// otherwise be a square of a few pixels.
void PaintStarDisc(CCanvas& canvas, SPoint at, double dMagnitude, ETint tint)
{
    const double dRadius = StarRadius(dMagnitude);
    if (dMagnitude > 4.3) {
        canvas.FillCircle(at, dRadius, sky::kDimStar);
        return;
    }
    canvas.FillCircle(at, dRadius + 0.45, IsWarm(tint) ? sky::kWarmDim : sky::kDimStar);
    canvas.FillCircle(at, dRadius, TintColor(tint));
    if (dMagnitude < 2.3)
        canvas.FillDot(static_cast<int>(at.x), static_cast<int>(at.y), sky::kCore);
}

const SFigure* FindFigure(int nBitmapId)
{
    for (const SFigure& figure : Figures()) {
        if (figure.nBitmapId == nBitmapId)
            return &figure;
    }
    return nullptr;
}

const SZodiacPictureSize* FindSize(int nBitmapId)
{
    for (const SZodiacPictureSize& size : kZodiacPictures) {
        if (size.nBitmapId == nBitmapId)
            return &size;
    }
    return nullptr;
}

}  // namespace

const SZodiacPictureSize kZodiacPictures[12] = {
    {IDB_ZODIAC_CAPRICORNUS, 175, 90}, {IDB_ZODIAC_AQUARIUS, 174, 90},
    {IDB_ZODIAC_PISCES, 176, 90},      {IDB_ZODIAC_ARIES, 176, 90},
    {IDB_ZODIAC_TAURUS, 176, 90},      {IDB_ZODIAC_GEMINI, 176, 90},
    {IDB_ZODIAC_CANCER, 176, 90},      {IDB_ZODIAC_LEO, 176, 90},
    {IDB_ZODIAC_VIRGO, 176, 90},       {IDB_ZODIAC_LIBRA, 175, 89},
    {IDB_ZODIAC_SCORPIUS, 176, 90},    {IDB_ZODIAC_SAGITTARIUS, 176, 90},
};

const Palette16& ZodiacPalette()
{
    static const Palette16 palette = {
        sky::kSky[0],     sky::kSky[1],  sky::kSky[2],     sky::kFaintSpeck,
        sky::kSpeck,      sky::kLine,    sky::kGlow,       sky::kWarmGlow,
        sky::kDimStar,    sky::kWarmDim, sky::kWhite,      sky::kBlue,
        sky::kYellow,     sky::kOrange,  sky::kRed,        sky::kCore};
    return palette;
}

std::vector<SDrawnStar> ZodiacFigureStars(int nBitmapId)
{
    const SFigure* figure = FindFigure(nBitmapId);
    const SZodiacPictureSize* size = FindSize(nBitmapId);
    std::vector<SDrawnStar> stars;
    if (!figure || !size)
        return stars;
    const CSkyProjection projection(*figure, size->nWidth, size->nHeight);
    for (const SCatalogStar& star : figure->stars)
        stars.push_back(SDrawnStar{projection.ToPixel(star), star.dMagnitude});
    return stars;
}

CCanvas DrawZodiacPicture(int nBitmapId, double dScale)
{
    const SFigure* figure = FindFigure(nBitmapId);
    const SZodiacPictureSize* size = FindSize(nBitmapId);
    if (!figure || !size)
        return CCanvas(0, 0, false);
    CCanvas canvas(size->nWidth, size->nHeight, false, dScale);
    const CSkyProjection projection(*figure, size->nWidth, size->nHeight);

    std::map<std::string, const SCatalogStar*> byKey;
    std::vector<SPoint> points;
    for (const SCatalogStar& star : figure->stars) {
        byKey[star.pszKey] = &star;
        points.push_back(projection.ToPixel(star));
    }

    // Each picture its own scattering of background stars.
    const std::uint32_t nSeed = 0x5EED0000u + static_cast<std::uint32_t>(nBitmapId);
    PaintSky(canvas);
    PaintBackgroundStars(canvas, points, nSeed);

    for (const char* pszChain : figure->lines) {
        const SCatalogStar* previous = nullptr;
        const std::string strChain = pszChain;
        std::size_t nStart = 0;
        while (nStart <= strChain.size()) {
            const std::size_t nEnd = std::min(strChain.find('-', nStart), strChain.size());
            const SCatalogStar* star = byKey.at(strChain.substr(nStart, nEnd - nStart));
            if (previous)
                PaintFigureLine(canvas, projection.ToPixel(*previous),
                                StarRadius(previous->dMagnitude), projection.ToPixel(*star),
                                StarRadius(star->dMagnitude));
            previous = star;
            nStart = nEnd + 1;
        }
    }
    // A cluster lies over any line that passes it: it is what the eye finds there.
    for (const SCluster& cluster : figure->clusters)
        PaintCluster(canvas, projection, cluster, nSeed * 7);
    for (const SCatalogStar& star : figure->stars)
        PaintStarGlow(canvas, projection.ToPixel(star), star.dMagnitude, star.tint);
    for (const SCatalogStar& star : figure->stars)
        PaintStarDisc(canvas, projection.ToPixel(star), star.dMagnitude, star.tint);
    return canvas;
}

}  // namespace plover::assetgen
