// Every asset of the program as a named file image, in the names the resource script
// includes them by.
#pragma once

#include "ByteWriter.h"
#include "Color.h"

#include <string>
#include <vector>

#include "resource.h"

namespace plover::assetgen {

struct SAsset
{
    std::string strName;
    Bytes bytes;
};

// Bitmap resource ids of the rotating star's frames, in the order they are shown.
constexpr int kRollStarBitmapIds[] = {IDB_ROLL_STAR_1, IDB_ROLL_STAR_2, IDB_ROLL_STAR_3,
                                      IDB_ROLL_STAR_4, IDB_ROLL_STAR_5, IDB_ROLL_STAR_6,
                                      IDB_ROLL_STAR_7, IDB_ROLL_STAR_8, IDB_ROLL_STAR_9,
                                      IDB_ROLL_STAR_10};
constexpr int kShootingStarBitmapId = IDB_SHOOTING_STAR;
constexpr int kShootingStarMaskBitmapId = IDB_SHOOTING_STAR_MASK;

// Cursor previews are 33 x 32 pictures on the light grey of the options page.
constexpr int kCursorPreviewWidth = 33;
constexpr int kCursorPreviewHeight = 32;
constexpr SColor kCursorPreviewBackground = vga::kSilver;

// The sets drawn for high-DPI displays: set n (1, 2) at kAssetSetScales[n], its
// resources at the 1x id plus n x ID_ASSET_SET_STEP, its files named
// "bmp<id>.bmp" and "cur<id>.cur" by that id.
constexpr double kAssetSetScales[] = {1.0, 1.5, 2.0};

std::vector<SAsset> BuildStarAssets();
std::vector<SAsset> BuildCursorAssets();
std::vector<SAsset> BuildSoundAssets();
std::vector<SAsset> BuildZodiacAssets();
std::vector<SAsset> BuildAllAssets();

}  // namespace plover::assetgen
