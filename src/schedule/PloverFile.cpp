#include "schedule/PloverFile.h"

#include <algorithm>
#include <cstring>

#include "framework/LittleEndian.h"
#include "framework/SjisText.h"

namespace plover {

namespace {

void CopyText(char* to, const char* from, std::size_t size)
{
    const std::string_view text = CPloverFile::Text(from, size);
    std::memset(to, 0, size);
    std::memcpy(to, text.data(), text.size());
}

void PutWord(std::uint8_t*& out, std::uint16_t value)
{
    WriteLe16(out, value);
    out += 2;
}

std::uint16_t TakeWord(const std::uint8_t*& in)
{
    const std::uint16_t value = ReadLe16(in);
    in += 2;
    return value;
}

}  // namespace

CPloverFile::CPloverFile()
{
    std::memset(m_szName, ' ', sizeof m_szName);
    std::memset(m_szDescription, ' ', sizeof m_szDescription);
    std::memset(m_szBmpFile, ' ', sizeof m_szBmpFile);
}

std::string_view CPloverFile::Text(const char* buffer, std::size_t size)
{
    const char* end = std::find(buffer, buffer + size, '\0');
    return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

void CPloverFile::CopyFrom(const CPloverFile& other)
{
    m_wReserved = other.m_wReserved;
    m_wYear = other.m_wYear;
    m_wMonth = other.m_wMonth;
    m_wDay = other.m_wDay;
    m_wHour = other.m_wHour;
    m_wMinute = other.m_wMinute;
    CopyText(m_szName, other.m_szName, kNameSize);
    CopyText(m_szDescription, other.m_szDescription, kDescriptionSize);
    CopyText(m_szBmpFile, other.m_szBmpFile, kBmpFileSize);
    m_Repeat = other.m_Repeat;
    m_wAnchorYear = other.m_wAnchorYear;
    m_wAnchorMonth = other.m_wAnchorMonth;
    m_wAnchorDay = other.m_wAnchorDay;
}

void CPloverFile::SetRepeat(RepeatRule rule)
{
    m_Repeat = rule;
    m_wAnchorYear = m_wYear;
    m_wAnchorMonth = m_wMonth;
    m_wAnchorDay = m_wDay;
}

void CPloverFile::SetText(char* buffer, std::size_t size, std::string_view sjis)
{
    const std::size_t length = SjisFitLength(sjis, size - 1);
    std::memset(buffer, 0, size);
    if (length > 0)  // an empty view may have no data at all
        std::memcpy(buffer, sjis.data(), length);
}

void CPloverFile::WriteRecord(std::uint8_t* out) const
{
    for (std::uint16_t word : {m_wReserved, m_wYear, m_wMonth, m_wDay, m_wHour, m_wMinute})
        PutWord(out, word);
    std::memcpy(out, m_szName, kNameSize);
    std::memcpy(out + kNameSize, m_szDescription, kDescriptionSize);
    std::memcpy(out + kNameSize + kDescriptionSize, m_szBmpFile, kBmpFileSize);
}

void CPloverFile::ReadRecord(const std::uint8_t* in)
{
    m_wReserved = TakeWord(in);
    m_wYear = TakeWord(in);
    m_wMonth = TakeWord(in);
    m_wDay = TakeWord(in);
    m_wHour = TakeWord(in);
    m_wMinute = TakeWord(in);
    std::memcpy(m_szName, in, kNameSize);
    std::memcpy(m_szDescription, in + kNameSize, kDescriptionSize);
    std::memcpy(m_szBmpFile, in + kNameSize + kDescriptionSize, kBmpFileSize);
}

}  // namespace plover
