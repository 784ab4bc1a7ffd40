#include "Assets.h"

#include "BmpFile.h"
#include "IconFile.h"
#include "StarPictures.h"

namespace plover::assetgen {

namespace {

std::string BitmapName(int nId)
{
    return "bmp" + std::to_string(nId) + ".bmp";
}


void AddStarSet(std::vector<SAsset>& assets, int nSet)
{
    const double dScale = kAssetSetScales[nSet];
    const int nStep = nSet * ID_ASSET_SET_STEP;
    int nFrame = 1;
    for (int nId : kRollStarBitmapIds) {
        const CCanvas frame = DrawRollStarFrame(nFrame++, dScale);
        assets.push_back({BitmapName(nId + nStep), EncodeBmp(ToIndexed(frame, VgaPalette(), vga::kSilver), 4)});
    }

    // The view draws the shooting star as (screen AND mask) OR picture: the picture is
    // black wherever the mask is white.  The mask is a 4-bit bitmap too: a 1-bit one
    // would load as a monochrome bitmap, which blits through the destination's text
    // and background colours instead of as black and white.
    const CCanvas shape = DrawShootingStarShape(dScale);
    CCanvas picture = shape.Blank();
    picture.Clear(vga::kBlack);
    picture.DrawCanvas(shape, 0, 0);
    assets.push_back({BitmapName(kShootingStarBitmapId + nStep),
                      EncodeBmp(ToIndexed(picture, VgaPalette(), vga::kBlack), 4)});
    CCanvas mask = shape.Blank();
    for (int y = 0; y < shape.Height(); ++y) {
        for (int x = 0; x < shape.Width(); ++x)
            mask.SetPixel(x, y, shape.GetPixel(x, y).a ? vga::kBlack : vga::kWhite);
    }
    assets.push_back({BitmapName(kShootingStarMaskBitmapId + nStep),
                      EncodeBmp(ToIndexed(mask, VgaPalette(), vga::kWhite), 4)});
}

}  // namespace

std::vector<SAsset> BuildStarAssets()
{
    std::vector<SAsset> assets;
    for (int nSet = 0; nSet < 3; ++nSet)
        AddStarSet(assets, nSet);

    // Every size a shell may ask for up to 200 %: 16 to 32 for the title bar and
    // the task bar, 48 and 64 for large icons at 150 % and 200 %.
    assets.push_back({"plover.ico",
                      EncodeIcon({MakeIconImage4(DrawIconStar(32, false)),
                                  MakeIconImage4(DrawIconStar(16, false)),
                                  MakeIconImage32(DrawIconStar(64, true)),
                                  MakeIconImage32(DrawIconStar(48, true)),
                                  MakeIconImage32(DrawIconStar(32, true)),
                                  MakeIconImage32(DrawIconStar(24, true)),
                                  MakeIconImage32(DrawIconStar(20, true)),
                                  MakeIconImage32(DrawIconStar(16, true))})});
    return assets;
}


}  // namespace plover::assetgen
