#include "objects/Dib.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>

#include "framework/FileIo.h"

namespace plover {

namespace {

// No picture the decoder accepts needs more of its file than its pixel buffer and
// some headroom for the headers; whatever a longer file holds past this is ignored.
constexpr std::uint64_t kMaxFileBytes = CDibImage::kMaxBufferBytes + 1024 * 1024;

bool IsPaletteDisplay(HDC dc)
{
    return ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) == 8;
}

bool IsPrinting(HDC dc)
{
    return ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
}

BITMAPINFO BitsInfo(const CDibImage& image)
{
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = image.GetWidth();
    h.biHeight = -image.GetHeight();  // the decoded rows run top-down
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    return info;
}

}  // namespace

void DrawImageBits(HDC dc, const CDibImage& image, int x, int y)
{
    DrawImageBits(dc, image, x, y, image.GetWidth(), image.GetHeight());
}

void DrawImageBits(HDC dc, const CDibImage& image, int x, int y, int width, int height)
{
    if (image.IsEmpty())
        return;
    const BITMAPINFO info = BitsInfo(image);
    const int w = image.GetWidth(), h = image.GetHeight();
    ::StretchDIBits(dc, x, y, width, height, 0, 0, w, h, image.GetBits(), &info, DIB_RGB_COLORS,
                    SRCCOPY);
}

PictureLoad CDib::Load(std::wstring path, HWND window)
{
    Free();
    std::string bytes;
    if (ReadWholeFile(path, bytes, kMaxFileBytes) != ERROR_SUCCESS)
        return PictureLoad::Failed;
    if (m_Image.Load(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) ==
        DibLoadResult::Refused)
        return PictureLoad::Failed;
    if (m_Image.GetPaletteSize() > 0 && !MakePalette()) {
        m_Image.Clear();
        return PictureLoad::NoPalette;
    }
    MakeDeviceBitmap(window);
    return PictureLoad::Loaded;
}

bool CDib::MakePalette()
{
    struct {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY palPalEntry[256];
    } palette{};
    const int count = std::min(m_Image.GetPaletteSize(), 256);
    palette.palVersion = 0x300;
    palette.palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) {
        const RgbColour& c = m_Image.GetColorTable()[i];
        palette.palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(c.red), static_cast<BYTE>(c.green),
                                              static_cast<BYTE>(c.blue), 0};
    }
    m_hPalette.Reset(::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)));
    return static_cast<bool>(m_hPalette);
}

void CDib::MakeDeviceBitmap(HWND window)
{
    const CClientDC dc(window);
    if (!dc.Get())
        return;
    // On an 8-bit display the picture's colours map onto the display's entries only
    // while its palette is realised.
    std::optional<CSelectPalette> palette;
    if (IsPaletteDisplay(dc.Get()) && m_hPalette) {
        palette.emplace(dc.Get(), m_hPalette.Get());
        if (!*palette)
            return;
        ::RealizePalette(dc.Get());
    }
    const BITMAPINFO info = BitsInfo(m_Image);
    m_hBitmap.Reset(::CreateDIBitmap(dc.Get(), &info.bmiHeader, CBM_INIT, m_Image.GetBits(),
                                     &info, DIB_RGB_COLORS));
}

void CDib::Draw(HDC dc, int x, int y)
{
    Draw(dc, x, y, m_Image.GetWidth(), m_Image.GetHeight());
}

void CDib::Draw(HDC dc, int x, int y, int width, int height)
{
    const int w = m_Image.GetWidth(), h = m_Image.GetHeight();
    if (IsPrinting(dc)) {
        DrawImageBits(dc, m_Image, x, y, width, height);
        return;
    }
    if (!m_hBitmap)
        return;
    const CMemoryDC memory(nullptr);
    const CSelectObject bitmap(memory.Get(), m_hBitmap.Get());
    if (width == w && height == h) {
        ::BitBlt(dc, x, y, w, h, memory.Get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ::StretchBlt(dc, x, y, width, height, memory.Get(), 0, 0, w, h, SRCCOPY);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::SetStretchBltMode(dc, oldMode);
}

void CDib::DrawBits(HDC dc, int x, int y) const
{
    DrawImageBits(dc, m_Image, x, y);
}

int CDib::Realize(HDC dc, bool background)
{
    if (!m_hPalette || !IsPaletteDisplay(dc))
        return 0;
    ::SelectPalette(dc, m_hPalette.Get(), background);
    const UINT changed = ::RealizePalette(dc);
    return changed == GDI_ERROR ? 0 : static_cast<int>(changed);
}

void CDib::Free()
{
    m_hBitmap.Reset();
    m_hPalette.Reset();
    m_Image.Clear();
}

}  // namespace plover
