#include "framework/Dpi.h"

#include "framework/LateBound.h"

namespace plover {

namespace {

HMODULE User32()
{
    return ::GetModuleHandleW(L"user32.dll");
}

HBITMAP LoadResourceBitmap(int id)
{
    return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                             IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = BoundFunction<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int ScreenDpi()
{
    const CClientDC screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kBaseDpi;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi)
{
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = BoundFunction<AdjustFn>(User32(), "AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi)))
        return;
    ::AdjustWindowRectEx(&rect, style, menu, exStyle);
}

CBitmap LoadBitmapForDpi(int id, int setStep, int dpi, bool smooth)
{
    const int set = AssetSetForDpi(dpi);
    CBitmap own(set == 0 ? nullptr : LoadResourceBitmap(ScaledResourceId(id, set, setStep)));
    const bool fromSet = static_cast<bool>(own);
    if (!own)
        own.Reset(LoadResourceBitmap(id));
    const SIZE have = BitmapSize(own.Get());
    // The 100 % size, from the 100 % picture only when this one is another.
    const SIZE base = fromSet ? BitmapSize(CBitmap(LoadResourceBitmap(id)).Get()) : have;
    const SIZE want{ScaleToDpi(base.cx, dpi), ScaleToDpi(base.cy, dpi)};
    if (!own || (have.cx == want.cx && have.cy == want.cy) || want.cx <= 0 || want.cy <= 0)
        return own;

    const CClientDC screen(nullptr);
    CBitmap scaled(::CreateCompatibleBitmap(screen.Get(), want.cx, want.cy));
    if (!scaled)
        return own;
    const CMemoryDC from(screen.Get());
    const CMemoryDC to(screen.Get());
    const CSelectObject fromBitmap(from.Get(), own.Get());
    const CSelectObject toBitmap(to.Get(), scaled.Get());
    ::SetStretchBltMode(to.Get(), smooth ? HALFTONE : COLORONCOLOR);
    ::SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    ::StretchBlt(to.Get(), 0, 0, want.cx, want.cy, from.Get(), 0, 0, have.cx, have.cy, SRCCOPY);
    return scaled;
}

}  // namespace plover
