#include "WavFile.h"

namespace plover::assetgen {

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int nSampleRate)
{
    const std::uint32_t nDataSize = static_cast<std::uint32_t>(samples.size() * 2);
    const std::uint32_t nRate = static_cast<std::uint32_t>(nSampleRate);
    CByteWriter out;
    out.Tag("RIFF");
    out.U32(4 + (8 + 16) + (8 + nDataSize));
    out.Tag("WAVE");
    out.Tag("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // mono
    out.U32(nRate);
    out.U32(nRate * 2);  // bytes per second
    out.U16(2);          // bytes per sample frame
    out.U16(16);
    out.Tag("data");
    out.U32(nDataSize);
    for (std::int16_t s : samples)
        out.U16(static_cast<std::uint16_t>(s));
    return out.Take();
}

}  // namespace plover::assetgen
