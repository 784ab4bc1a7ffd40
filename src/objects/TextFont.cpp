#include "objects/TextFont.h"

#include <string>

namespace plover {

CFont MakeTextFont(const FontSize& size, std::wstring_view face)
{
    const std::wstring name(face);
    return CFont(::CreateFontW(size.height, size.width, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                               SHIFTJIS_CHARSET, OUT_STROKE_PRECIS, CLIP_DEFAULT_PRECIS,
                               PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str()));
}

}  // namespace plover
