// The schedule entry: a named date and time with a description and an optional
// picture, kept as the fixed 652-byte record of the schedule file.  Texts are
// Shift-JIS bytes up to the first zero byte, or the whole buffer when it has none.
// A repeat rule and the date it counts from ride along outside the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/LiveCount.h"
#include "schedule/Recurrence.h"

namespace plover {

class CPloverFile : public CLiveCount<CPloverFile> {
public:
    static constexpr std::size_t kNameSize = 128;
    static constexpr std::size_t kDescriptionSize = 256;
    static constexpr std::size_t kBmpFileSize = 256;
    static constexpr std::size_t kRecordSize = 12 + kNameSize + kDescriptionSize + kBmpFileSize;

    // A new entry's texts are all blanks with no terminating zero; every path that
    // makes an entry assigns all of it before use, so the numbers start at zero.
    CPloverFile();
    // An entry filled from a file record at once; nothing to blank first.
    explicit CPloverFile(const std::uint8_t* record) { ReadRecord(record); }

    // The copy every dialog and the add command use: numbers and the repeat rule as
    // they are, each text up to its first zero byte with the rest of the buffer
    // zero-filled.
    void CopyFrom(const CPloverFile& other);

    // Stores a text cut to fit its buffer with a terminating zero, never inside a
    // double-byte character; the rest of the buffer is zero-filled.
    static void SetText(char* buffer, std::size_t size, std::string_view sjis);

    std::string_view Name() const { return Text(m_szName, kNameSize); }
    std::string_view Description() const { return Text(m_szDescription, kDescriptionSize); }
    std::string_view BmpFile() const { return Text(m_szBmpFile, kBmpFileSize); }

    // The record exactly as the file holds it, little-endian.
    void WriteRecord(std::uint8_t* out) const;
    void ReadRecord(const std::uint8_t* in);

    static std::string_view Text(const char* buffer, std::size_t size);

    // Gives the entry a rule that counts from its own date as it stands now.
    void SetRepeat(RepeatRule rule);
    CivilDate Anchor() const { return {m_wAnchorYear, m_wAnchorMonth, m_wAnchorDay}; }

    std::uint16_t m_wReserved = 0;
    std::uint16_t m_wYear = 0;
    std::uint16_t m_wMonth = 0;
    std::uint16_t m_wDay = 0;
    std::uint16_t m_wHour = 0;
    std::uint16_t m_wMinute = 0;
    char m_szName[kNameSize];
    char m_szDescription[kDescriptionSize];
    char m_szBmpFile[kBmpFileSize];

    // Not part of the record: the file keeps them after the last record, and the
    // record's own date is the next occurrence.
    RepeatRule m_Repeat = RepeatRule::None;
    std::uint16_t m_wAnchorYear = 0;
    std::uint16_t m_wAnchorMonth = 0;
    std::uint16_t m_wAnchorDay = 0;
};

static_assert(CPloverFile::kRecordSize == 652, "the file's record is 652 bytes");

}  // namespace plover
