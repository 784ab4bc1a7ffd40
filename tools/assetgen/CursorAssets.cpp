#include "Assets.h"

#include "BmpFile.h"
#include "CursorPictures.h"
#include "IconFile.h"

namespace plover::assetgen {

namespace {

// Resource ids per motif, in motif order.
struct SCursorIds
{
    int nMonoCursor;
    int nColorCursor;
    int nMonoPreview;
    int nColorPreview;
};

constexpr SCursorIds kCursorIds[] = {
    {156, 145, 143, 142},  // 彗星: its colour preview is out of the run of the others
    {157, 146, 144, 137},  // 流れ星
    {158, 147, 145, 138},  // 惑星
    {159, 148, 146, 139},  // ｸｪｰｻｰ
    {160, 149, 147, 140},  // 流星群
    {161, 150, 148, 141},  // ときめき
};

// The cursor as it looks over the options page's face colour, one pixel in from the left
// so the 32-pixel picture sits in the middle of the 33-pixel preview.
Bytes EncodePreview(const CCanvas& cursor)
{
    CCanvas preview(kCursorPreviewWidth, kCursorPreviewHeight, false);
    preview.Clear(kCursorPreviewBackground);
    preview.DrawCanvas(cursor, 1, 0);
    return EncodeBmp(ToIndexed(preview, VgaPalette(), kCursorPreviewBackground), 4);
}

}  // namespace

std::vector<SAsset> BuildCursorAssets()
{
    std::vector<SAsset> assets;
    int nMotif = 0;
    for (ECursorMotif motif : kCursorMotifs) {
        const SCursorIds& ids = kCursorIds[nMotif++];
        const SHotSpot hotSpot = CursorHotSpot(motif);
        const CCanvas mono = DrawCursorPicture(motif, ECursorInk::Mono);
        const CCanvas color16 = DrawCursorPicture(motif, ECursorInk::Color16);
        const CCanvas smooth = DrawCursorPicture(motif, ECursorInk::Smooth);

        assets.push_back({"cur" + std::to_string(ids.nMonoCursor) + ".cur",
                          EncodeCursor({MakeIconImage1(mono)}, hotSpot)});
        assets.push_back({"cur" + std::to_string(ids.nColorCursor) + ".cur",
                          EncodeCursor({MakeIconImage4(color16), MakeIconImage32(smooth)}, hotSpot)});
        assets.push_back({"bmp" + std::to_string(ids.nMonoPreview) + ".bmp", EncodePreview(mono)});
        assets.push_back({"bmp" + std::to_string(ids.nColorPreview) + ".bmp", EncodePreview(color16)});
    }
    return assets;
}

}  // namespace plover::assetgen
