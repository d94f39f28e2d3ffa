#include "filters/RLPDFTextString.h"

#include <QtEndian>
#include <algorithm>
#include <array>

namespace {

struct TSpecialCode {
    char16_t Character;
    unsigned char Code;
};

// PDFDocEncoding agrees with Latin-1 from 0xA1 on (0xAD excepted) and with ASCII from 0x20 to
// 0x7E; these are its codes that differ: accents at 0x18, punctuation and letters at 0x80, the
// euro at 0xA0. The codes 0x7F, 0x9F and 0xAD stand for no character.
constexpr std::array<TSpecialCode, 40> kSpecialCodes { {
    { u'\u02D8', 0x18 }, // breve
    { u'\u02C7', 0x19 }, // caron
    { u'\u02C6', 0x1A }, // circumflex
    { u'\u02D9', 0x1B }, // dot above
    { u'\u02DD', 0x1C }, // double acute
    { u'\u02DB', 0x1D }, // ogonek
    { u'\u02DA', 0x1E }, // ring
    { u'\u02DC', 0x1F }, // tilde
    { u'\u2022', 0x80 }, // bullet
    { u'\u2020', 0x81 }, // dagger
    { u'\u2021', 0x82 }, // double dagger
    { u'\u2026', 0x83 }, // ellipsis
    { u'\u2014', 0x84 }, // em dash
    { u'\u2013', 0x85 }, // en dash
    { u'\u0192', 0x86 }, // florin
    { u'\u2044', 0x87 }, // fraction slash
    { u'\u2039', 0x88 }, // single left angle quote
    { u'\u203A', 0x89 }, // single right angle quote
    { u'\u2212', 0x8A }, // minus
    { u'\u2030', 0x8B }, // per mille
    { u'\u201E', 0x8C }, // low double quote
    { u'\u201C', 0x8D }, // left double quote
    { u'\u201D', 0x8E }, // right double quote
    { u'\u2018', 0x8F }, // left single quote
    { u'\u2019', 0x90 }, // right single quote
    { u'\u201A', 0x91 }, // low single quote
    { u'\u2122', 0x92 }, // trade mark
    { u'\uFB01', 0x93 }, // fi ligature
    { u'\uFB02', 0x94 }, // fl ligature
    { u'\u0141', 0x95 }, // L with stroke
    { u'\u0152', 0x96 }, // OE
    { u'\u0160', 0x97 }, // S with caron
    { u'\u0178', 0x98 }, // Y with diaeresis
    { u'\u017D', 0x99 }, // Z with caron
    { u'\u0131', 0x9A }, // dotless i
    { u'\u0142', 0x9B }, // l with stroke
    { u'\u0153', 0x9C }, // oe
    { u'\u0161', 0x9D }, // s with caron
    { u'\u017E', 0x9E }, // z with caron
    { u'\u20AC', 0xA0 }, // euro
} };

constexpr char16_t kTab = u'\t';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kFirstAscii = 0x20;
constexpr char16_t kLastAscii = 0x7E;
constexpr char16_t kFirstLatin1 = 0xA1;
constexpr char16_t kLastLatin1 = 0xFF;
constexpr char16_t kSoftHyphen = 0xAD;
constexpr std::array<char, 2> kByteOrderMark { '\xFE', '\xFF' };

std::optional<char> DocEncodingCode(char16_t character)
{
    if ((character >= kFirstAscii && character <= kLastAscii) || character == kTab || character == kLineFeed
        || character == kCarriageReturn)
        return char(character);
    if (character >= kFirstLatin1 && character <= kLastLatin1 && character != kSoftHyphen)
        return char(character);
    const auto* special = std::find_if(kSpecialCodes.begin(), kSpecialCodes.end(),
        [character](const TSpecialCode& entry) { return entry.Character == character; });
    if (special == kSpecialCodes.end())
        return std::nullopt;
    return char(special->Code);
}

}

std::optional<QByteArray> ToPdfDocEncoding(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const std::optional<char> code = DocEncodingCode(character.unicode());
        if (!code)
            return std::nullopt;
        bytes += *code;
    }
    return bytes;
}

QByteArray PdfTextStringBytes(QStringView text)
{
    if (std::optional<QByteArray> encoded = ToPdfDocEncoding(text))
        return *std::move(encoded);
    QByteArray bytes(kByteOrderMark.data(), kByteOrderMark.size());
    bytes.resize(bytes.size() + text.size() * qsizetype(sizeof(char16_t)));
    qToBigEndian<char16_t>(text.utf16(), text.size(), bytes.data() + kByteOrderMark.size());
    return bytes;
}
