#include "Assets.h"

#include "Chime.h"
#include "WavFile.h"

namespace plover::assetgen {

namespace {

// Equal-tempered pitches, Hz.
constexpr double kG5 = 783.99;
constexpr double kC6 = 1046.50;
constexpr double kE6 = 1318.51;
constexpr double kG6 = 1567.98;
constexpr double kB6 = 1975.53;
constexpr double kC7 = 2093.00;
constexpr double kE7 = 2637.02;

// Peak level: loud enough to hear, with room so nothing is ever near clipping.
constexpr double kPeak = 0.7;

}  // namespace

std::vector<SAsset> BuildSoundAssets()
{
    // Start: a rising arpeggio that settles on the octave.
    const std::vector<SChimeNote> start = {
        {0.00, kC6, 0.8}, {0.11, kE6, 0.8}, {0.22, kG6, 0.85}, {0.33, kC7, 1.0}};
    // Exit: falling, softer, down to the dominant below.
    const std::vector<SChimeNote> exit = {
        {0.00, kG6, 1.0}, {0.13, kE6, 0.9}, {0.26, kC6, 0.85}, {0.39, kG5, 0.8}};
    // Version: a quick upward sparkle.
    const std::vector<SChimeNote> version = {{0.00, kE6, 0.9}, {0.07, kB6, 0.8}, {0.14, kE7, 0.7}};

    return {
        {"Plover.wav", EncodeWav(SynthesizeChime(start, 1.15, kPeak), kChimeSampleRate)},
        {"PloverExit.wav", EncodeWav(SynthesizeChime(exit, 1.15, kPeak), kChimeSampleRate)},
        {"PloverVer.wav", EncodeWav(SynthesizeChime(version, 0.7, kPeak), kChimeSampleRate)},
    };
}

}  // namespace plover::assetgen
