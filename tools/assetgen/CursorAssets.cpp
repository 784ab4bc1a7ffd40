#include "Assets.h"

#include "BmpFile.h"
#include "CursorPictures.h"
#include "IconFile.h"

#include <cmath>

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
    {IDC_CURSOR_COMET_MONO, IDC_CURSOR_COMET_COLOR, IDB_PREVIEW_COMET_MONO, IDB_PREVIEW_COMET_COLOR},
    {IDC_CURSOR_SHOOTING_MONO, IDC_CURSOR_SHOOTING_COLOR, IDB_PREVIEW_SHOOTING_MONO,
     IDB_PREVIEW_SHOOTING_COLOR},
    {IDC_CURSOR_PLANET_MONO, IDC_CURSOR_PLANET_COLOR, IDB_PREVIEW_PLANET_MONO, IDB_PREVIEW_PLANET_COLOR},
    {IDC_CURSOR_QUASAR_MONO, IDC_CURSOR_QUASAR_COLOR, IDB_PREVIEW_QUASAR_MONO, IDB_PREVIEW_QUASAR_COLOR},
    {IDC_CURSOR_SHOWER_MONO, IDC_CURSOR_SHOWER_COLOR, IDB_PREVIEW_SHOWER_MONO, IDB_PREVIEW_SHOWER_COLOR},
    {IDC_CURSOR_HEART_MONO, IDC_CURSOR_HEART_COLOR, IDB_PREVIEW_HEART_MONO, IDB_PREVIEW_HEART_COLOR},
};

// The cursor as it looks over the options page's face colour, one pixel in from the left
// so the 32-pixel picture sits in the middle of the 33-pixel preview.
Bytes EncodePreview(const CCanvas& cursor)
{
    CCanvas preview(kCursorPreviewWidth, kCursorPreviewHeight, false, cursor.Scale());
    preview.Clear(kCursorPreviewBackground);
    preview.DrawCanvas(cursor, static_cast<int>(std::lround(cursor.Scale())), 0);
    return EncodeBmp(ToIndexed(preview, VgaPalette(), kCursorPreviewBackground), 4);
}

}  // namespace

std::vector<SAsset> BuildCursorAssets()
{
    std::vector<SAsset> assets;
    for (int nSet = 0; nSet < 3; ++nSet) {
        const double dScale = kAssetSetScales[nSet];
        const int nStep = nSet * ID_ASSET_SET_STEP;
        int nMotif = 0;
        for (ECursorMotif motif : kCursorMotifs) {
            const SCursorIds& ids = kCursorIds[nMotif++];
            SHotSpot hotSpot = CursorHotSpot(motif);
            hotSpot.x = static_cast<int>(std::lround(hotSpot.x * dScale));
            hotSpot.y = static_cast<int>(std::lround(hotSpot.y * dScale));
            const CCanvas mono = DrawCursorPicture(motif, ECursorInk::Mono, dScale);
            const CCanvas color16 = DrawCursorPicture(motif, ECursorInk::Color16, dScale);
            const CCanvas smooth = DrawCursorPicture(motif, ECursorInk::Smooth, dScale);

            assets.push_back({"cur" + std::to_string(ids.nMonoCursor + nStep) + ".cur",
                              EncodeCursor({MakeIconImage1(mono)}, hotSpot)});
            assets.push_back({"cur" + std::to_string(ids.nColorCursor + nStep) + ".cur",
                              EncodeCursor({MakeIconImage4(color16), MakeIconImage32(smooth)}, hotSpot)});
            assets.push_back({"bmp" + std::to_string(ids.nMonoPreview + nStep) + ".bmp", EncodePreview(mono)});
            assets.push_back({"bmp" + std::to_string(ids.nColorPreview + nStep) + ".bmp",
                              EncodePreview(color16)});
        }
    }
    return assets;
}

}  // namespace plover::assetgen
