#include "Assets.h"

#include "BmpFile.h"
#include "ZodiacPictures.h"

namespace plover::assetgen {

std::vector<SAsset> BuildZodiacAssets()
{
    std::vector<SAsset> assets;
    for (const SZodiacPictureSize& picture : kZodiacPictures) {
        const CCanvas canvas = DrawZodiacPicture(picture.nBitmapId);
        assets.push_back({"bmp" + std::to_string(picture.nBitmapId) + ".bmp",
                          EncodeBmp(ToIndexed(canvas, ZodiacPalette(), ZodiacPalette()[0]), 4)});
    }
    return assets;
}

}  // namespace plover::assetgen
