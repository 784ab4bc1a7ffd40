#include "Assets.h"

#include "BmpFile.h"
#include "ZodiacPictures.h"

namespace plover::assetgen {

std::vector<SAsset> BuildZodiacAssets()
{
    std::vector<SAsset> assets;
    for (int nSet = 0; nSet < 3; ++nSet) {
        for (const SZodiacPictureSize& picture : kZodiacPictures) {
            const CCanvas canvas = DrawZodiacPicture(picture.nBitmapId, kAssetSetScales[nSet]);
            assets.push_back({"bmp" + std::to_string(picture.nBitmapId + nSet * ID_ASSET_SET_STEP) + ".bmp",
                              EncodeBmp(ToIndexed(canvas, ZodiacPalette(), ZodiacPalette()[0]), 4)});
        }
    }
    return assets;
}

}  // namespace plover::assetgen
