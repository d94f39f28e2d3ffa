#include "support/Windows1252.h"

#include <array>

namespace {

constexpr char kUnmapped = '?';
constexpr char16_t kFirstHighByte = 0x80;
constexpr char16_t kFirstLatin1Byte = 0xA0;
constexpr char16_t kLastByte = 0xFF;

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighBytes = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

char EncodeCharacter(char16_t c)
{
    if (c < kFirstHighByte || (c >= kFirstLatin1Byte && c <= kLastByte))
        return char(c);
    for (size_t i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] == c)
            return char(kFirstHighByte + i);
    }
    return kUnmapped;
}

} // namespace

qsizetype ToWindows1252(QStringView text, char* out)
{
    // One byte per code unit at most (a surrogate pair makes one); written through a pointer, as
    // every text of every page passes here.
    char* const start = out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            *out++ = kUnmapped;
            ++i;
            continue;
        }
        *out++ = EncodeCharacter(c.unicode());
    }
    return out - start;
}

QByteArray ToWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(ToWindows1252(text, bytes.data()));
    return bytes;
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = char16_t(quint8(byte));
        const bool high = value >= kFirstHighByte && value < kFirstLatin1Byte;
        *out++ = QChar(high ? kHighBytes[value - kFirstHighByte] : value);
    }
    return text;
}
