// Every asset of the program as a named file image, in the names the resource script
// includes them by.
#pragma once

#include "ByteWriter.h"
#include "Color.h"

#include <string>
#include <vector>

namespace plover::assetgen {

struct SAsset
{
    std::string strName;
    Bytes bytes;
};

// Bitmap resource ids of the rotating star's frames, in the order they are shown.
constexpr int kRollStarBitmapIds[] = {114, 115, 116, 117, 118, 119, 120, 121, 125, 123};
constexpr int kShootingStarBitmapId = 110;
constexpr int kShootingStarMaskBitmapId = 149;

// Cursor previews are 33 x 32 pictures on the light grey of the options page.
constexpr int kCursorPreviewWidth = 33;
constexpr int kCursorPreviewHeight = 32;
constexpr SColor kCursorPreviewBackground = vga::kSilver;

std::vector<SAsset> BuildStarAssets();
std::vector<SAsset> BuildCursorAssets();
std::vector<SAsset> BuildSoundAssets();
std::vector<SAsset> BuildAllAssets();

}  // namespace plover::assetgen
