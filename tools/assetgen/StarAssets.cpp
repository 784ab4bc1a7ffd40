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

}  // namespace

std::vector<SAsset> BuildStarAssets()
{
    std::vector<SAsset> assets;
    int nFrame = 1;
    for (int nId : kRollStarBitmapIds) {
        const CCanvas frame = DrawRollStarFrame(nFrame++);
        assets.push_back({BitmapName(nId), EncodeBmp(ToIndexed(frame, VgaPalette(), vga::kSilver), 4)});
    }

    // The view draws the shooting star as (screen AND mask) OR picture: the picture is
    // black wherever the mask is white.  The mask is a 4-bit bitmap too: a 1-bit one
    // would load as a monochrome bitmap, which blits through the destination's text
    // and background colours instead of as black and white.
    const CCanvas shape = DrawShootingStarShape();
    CCanvas picture(shape.Width(), shape.Height(), false);
    picture.Clear(vga::kBlack);
    picture.DrawCanvas(shape, 0, 0);
    assets.push_back({BitmapName(kShootingStarBitmapId),
                      EncodeBmp(ToIndexed(picture, VgaPalette(), vga::kBlack), 4)});
    CCanvas mask(shape.Width(), shape.Height(), false);
    for (int y = 0; y < shape.Height(); ++y) {
        for (int x = 0; x < shape.Width(); ++x)
            mask.SetPixel(x, y, shape.GetPixel(x, y).a ? vga::kBlack : vga::kWhite);
    }
    assets.push_back({BitmapName(kShootingStarMaskBitmapId),
                      EncodeBmp(ToIndexed(mask, VgaPalette(), vga::kWhite), 4)});

    assets.push_back({"plover.ico",
                      EncodeIcon({MakeIconImage4(DrawIconStar(32, false)),
                                  MakeIconImage4(DrawIconStar(16, false)),
                                  MakeIconImage32(DrawIconStar(32, true)),
                                  MakeIconImage32(DrawIconStar(16, true))})});
    return assets;
}

}  // namespace plover::assetgen
