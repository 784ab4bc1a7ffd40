#include "Assets.h"

namespace plover::assetgen {

std::vector<SAsset> BuildAllAssets()
{
    std::vector<SAsset> assets;
    for (std::vector<SAsset> (*build)() :
         {BuildStarAssets, BuildCursorAssets, BuildSoundAssets, BuildZodiacAssets}) {
        std::vector<SAsset> family = build();
        assets.insert(assets.end(), family.begin(), family.end());
    }
    return assets;
}

}  // namespace plover::assetgen
