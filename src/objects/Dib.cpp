#include "objects/Dib.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

#include "framework/FileHandle.h"

namespace plover {

namespace {

// No picture the decoder accepts needs more of its file than its pixel buffer and
// some headroom for the headers; whatever a longer file holds past this is ignored.
constexpr std::uint64_t kMaxFileBytes = CDibImage::kMaxBufferBytes + 1024 * 1024;

bool ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes)
{
    const CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size))
        return false;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart), kMaxFileBytes));
    try {
        bytes.resize(wanted);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t total = 0;
    while (total < wanted) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(wanted - total, 1 << 20));
        if (!::ReadFile(file.Get(), bytes.data() + total, ask, &got, nullptr) || got == 0)
            break;  // a file that shrank while we read it loads what we got
        total += got;
    }
    bytes.resize(total);
    return true;
}

bool IsPaletteDisplay(HDC dc)
{
    return ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) == 8;
}

bool IsPrinting(HDC dc)
{
    return ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
}

// SelectPalette does not go through SelectObject, so CSelectObject cannot undo it.
class CSelectPalette {
public:
    CSelectPalette(HDC dc, HPALETTE palette)
        : m_dc(dc), m_old(::SelectPalette(dc, palette, FALSE)) {}
    ~CSelectPalette()
    {
        if (m_old)
            ::SelectPalette(m_dc, m_old, FALSE);
    }
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;
    explicit operator bool() const { return m_old != nullptr; }

private:
    HDC m_dc;
    HPALETTE m_old;
};

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

int CDib::Load(std::wstring path, HWND window)
{
    Free();
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    if (m_Image.Load(bytes.data(), bytes.size()) == DibLoadResult::Refused)
        return 0;
    if (m_Image.GetPaletteSize() > 0 && !MakePalette()) {
        m_Image.Clear();
        return -1;
    }
    MakeDeviceBitmap(window);
    return 1;
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

int CDib::Draw(HDC dc, int x, int y)
{
    return Draw(dc, x, y, m_Image.GetWidth(), m_Image.GetHeight());
}

int CDib::Draw(HDC dc, int x, int y, int width, int height)
{
    const int w = m_Image.GetWidth(), h = m_Image.GetHeight();
    if (IsPrinting(dc)) {
        DrawImageBits(dc, m_Image, x, y, width, height);
        return 1;
    }
    if (!m_hBitmap)
        return 1;
    const CMemoryDC memory(nullptr);
    const CSelectObject bitmap(memory.Get(), m_hBitmap.Get());
    if (width == w && height == h) {
        ::BitBlt(dc, x, y, w, h, memory.Get(), 0, 0, SRCCOPY);
        return 1;
    }
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ::StretchBlt(dc, x, y, width, height, memory.Get(), 0, 0, w, h, SRCCOPY);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::SetStretchBltMode(dc, oldMode);
    return 1;
}

void CDib::DrawBits(HDC dc, int x, int y) const
{
    DrawImageBits(dc, m_Image, x, y);
}

int CDib::Realize(HDC dc, int background)
{
    if (!m_hPalette || !IsPaletteDisplay(dc))
        return 0;
    ::SelectPalette(dc, m_hPalette.Get(), background != 0);
    const UINT changed = ::RealizePalette(dc);
    return changed == GDI_ERROR ? 0 : static_cast<int>(changed);
}

int CDib::Free()
{
    m_hBitmap.Reset();
    m_hPalette.Reset();
    m_Image.Clear();
    return 1;
}

}  // namespace plover
