#include "pages/RLCodePage.h"

#include <array>

namespace {

constexpr char kUnmappedCharacter = '?';
constexpr int kHighRangeStart = 0x80;
constexpr int kHighRangeEnd = 0xA0;

// Windows-1252 bytes 0x80..0x9F; the five the code page leaves unassigned keep their own value,
// as the platform's conversion does.
constexpr std::array<char16_t, kHighRangeEnd - kHighRangeStart> kHighRange
    = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
          0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

char EncodeCharacter(char16_t character)
{
    if (character < kHighRangeStart || (character >= kHighRangeEnd && character <= 0xFF))
        return char(character);
    for (std::size_t i = 0; i < kHighRange.size(); ++i) {
        if (kHighRange[i] == character)
            return char(kHighRangeStart + int(i));
    }
    return kUnmappedCharacter;
}

} // namespace

QByteArray ToWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        // A character beyond the basic plane is one unmapped character, not two.
        if (character.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.append(EncodeCharacter(character.unicode()));
    }
    return bytes;
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = quint8(bytes[i]);
        const bool high = byte >= kHighRangeStart && byte < kHighRangeEnd;
        out[i] = QChar(high ? kHighRange[byte - kHighRangeStart] : char16_t(byte));
    }
    return text;
}
