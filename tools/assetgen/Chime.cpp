#include "Chime.h"

#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace plover::assetgen {

namespace {

// Partials of a small bell: frequency ratio, strength, and how much faster than the
// fundamental it dies away.
struct SPartial
{
    double dRatio;
    double dStrength;
    double dDecay;
};

constexpr SPartial kPartials[] = {
    {1.0, 1.0, 1.0}, {2.0, 0.4, 1.7}, {3.0, 0.16, 2.5}, {4.2, 0.09, 3.5}, {5.4, 0.04, 4.5},
};

constexpr double kDecaySeconds = 0.32;
constexpr double kAttackSeconds = 0.008;
constexpr double kFadeSeconds = 0.08;

// Raised cosine from 0 to 1 over `dLength`: no corner at either end.
double Ramp(double t, double dLength)
{
    if (t <= 0)
        return 0;
    if (t >= dLength)
        return 1;
    return 0.5 - 0.5 * std::cos(kPi * t / dLength);
}

double NoteSample(const SChimeNote& note, double t, int nSampleRate)
{
    const double dLocal = t - note.dStart;
    if (dLocal < 0)
        return 0;
    double dSum = 0;
    for (const SPartial& partial : kPartials) {
        const double dFrequency = note.dFrequency * partial.dRatio;
        // Partials above the highest frequency the rate can hold would fold back as noise.
        if (dFrequency >= 0.45 * nSampleRate)
            continue;
        dSum += partial.dStrength * std::exp(-dLocal * partial.dDecay / kDecaySeconds) *
                std::sin(2 * kPi * dFrequency * dLocal);
    }
    return note.dLoudness * Ramp(dLocal, kAttackSeconds) * dSum;
}

}  // namespace

std::vector<std::int16_t> SynthesizeChime(const std::vector<SChimeNote>& notes, double dSeconds,
                                          double dPeak, int nSampleRate)
{
    const std::size_t nCount = static_cast<std::size_t>(std::max(0.0, dSeconds) * nSampleRate);
    std::vector<double> aMix(nCount, 0.0);
    double dMax = 0;
    for (std::size_t i = 0; i < nCount; ++i) {
        const double t = double(i) / nSampleRate;
        double d = 0;
        for (const SChimeNote& note : notes)
            d += NoteSample(note, t, nSampleRate);
        d *= Ramp(dSeconds - t, kFadeSeconds);
        aMix[i] = d;
        dMax = std::max(dMax, std::abs(d));
    }

    const double dScale = dMax > 0 ? std::clamp(dPeak, 0.0, 1.0) * 32767 / dMax : 0;
    std::vector<std::int16_t> samples;
    samples.reserve(nCount);
    for (double d : aMix)
        samples.push_back(static_cast<std::int16_t>(std::clamp(std::lround(d * dScale), -32767L, 32767L)));
    return samples;
}

}  // namespace plover::assetgen
