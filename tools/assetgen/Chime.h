// Bell-like chimes synthesised as 16-bit samples: a few partials per note, each dying
// away, with a soft attack and a fade to silence so that playback never clicks.
#pragma once

#include <cstdint>
#include <vector>

namespace plover::assetgen {

struct SChimeNote
{
    double dStart = 0;      // seconds
    double dFrequency = 0;  // Hz
    double dLoudness = 1;   // relative to the other notes
};

constexpr int kChimeSampleRate = 22050;

// `dSeconds` of sound; the loudest moment reaches `dPeak` of full scale (0..1).
std::vector<std::int16_t> SynthesizeChime(const std::vector<SChimeNote>& notes, double dSeconds,
                                          double dPeak, int nSampleRate = kChimeSampleRate);

}  // namespace plover::assetgen
