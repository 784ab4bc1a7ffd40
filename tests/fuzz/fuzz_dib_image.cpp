// Feeds arbitrary bytes to the BMP loader.  Besides the sanitizers' own checks, a
// picture it accepts must have the size it claims and only zero fourth bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "objects/DibImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plover::CDibImage image;
    const plover::DibLoadResult result = image.Load(data, size);
    if (result == plover::DibLoadResult::Refused) {
        if (!image.IsEmpty() || image.GetWidth() != 0 || image.GetHeight() != 0)
            std::abort();
        return 0;
    }
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (width < 1 || width > plover::CDibImage::kMaxSide || height < 1 ||
        height > plover::CDibImage::kMaxSide)
        std::abort();
    if (image.GetBitsSize() != static_cast<std::size_t>(width) * height * 4 ||
        image.GetBitsSize() > plover::CDibImage::kMaxBufferBytes ||
        image.GetBufferSize() > plover::CDibImage::kMaxBufferBytes)
        std::abort();
    const std::uint8_t* bits = image.GetBits();
    for (std::size_t i = 3; i < image.GetBitsSize(); i += 4)
        if (bits[i] != 0)
            std::abort();
    return 0;
}
