// WAV files of mono 16-bit PCM samples.
#pragma once

#include "ByteWriter.h"

#include <cstdint>
#include <vector>

namespace plover::assetgen {

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int nSampleRate);

}  // namespace plover::assetgen
