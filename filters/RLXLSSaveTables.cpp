#include "filters/RLXLSSaveTables.h"

#include "filters/RLXLSRange.h"

#include <QtEndian>

namespace {

constexpr int kDefaultFontCount = 4;
constexpr quint16 kFirstAddedFormat = 50;
/// FONT index 4 is skipped by the format, so the list position is shifted by one.
constexpr quint16 kFontIndexShift = 1;

// The fixed currency formats; 0xF0 is the character "ð" in the code page they were made in.
const TRLXLSFormatEntry kFixedFormats[] = {
    { 5, QStringLiteral(u"#,##0\"\u00F0.\";\\-#,##0\"\u00F0.\"") },
    { 6, QStringLiteral(u"#,##0\"\u00F0.\";[Red]\\-#,##0\"\u00F0.\"") },
    { 7, QStringLiteral(u"#,##0.00\"\u00F0.\";\\-#,##0.00\"\u00F0.\"") },
    { 8, QStringLiteral(u"#,##0.00\"\u00F0.\";[Red]\\-#,##0.00\"\u00F0.\"") },
    { 42, QStringLiteral(u"_-* #,##0\"\u00F0.\"_-;\\-* #,##0\"\u00F0.\"_-;_-* \"-\"\"\u00F0.\"_-;_-@_-") },
    { 41, QStringLiteral(u"_-* #,##0_\u00F0_._-;\\-* #,##0_\u00F0_._-;_-* \"-\"_\u00F0_._-;_-@_-") },
    { 44,
        QStringLiteral(
            u"_-* #,##0.00\"\u00F0.\"_-;\\-* #,##0.00\"\u00F0.\"_-;_-* \"-\"??\"\u00F0.\"_-;_-@_-") },
    { 43, QStringLiteral(u"_-* #,##0.00_\u00F0_._-;\\-* #,##0.00_\u00F0_._-;_-* \"-\"??_\u00F0_._-;_-@_-") },
};

/// The default cell format (XF 15) as stored.
const QByteArray kDefaultCellFormat
    = QByteArray::fromHex("00 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 c0 20");

// Cell format (XF) layout.
constexpr quint16 kLockedCellOfStyle0 = 0x0001;
constexpr quint8 kWrapBit = 0x08;
constexpr int kVerticalShift = 4;
constexpr quint16 kUsedAttributes = 0x7C00;
constexpr quint16 kMergedCell = 0x0020;
constexpr int kBorderStyleMask = 0x0F;
constexpr int kColorMask = 0x7F;
constexpr quint16 kDiagonalDownFlag = 0x4000;
constexpr quint16 kDiagonalUpFlag = 0x8000;
constexpr int kRightColorShift = 7;
constexpr int kBottomColorShift = 7;
constexpr int kDiagonalColorShift = 14;
constexpr int kDiagonalStyleShift = 21;
constexpr int kFillPatternShift = 26;
constexpr int kBackgroundShift = 7;
constexpr int kFillPatternMask = 0x3F;

/// Past these, a further font or cell format falls back to the first one: readers refuse
/// workbooks with more.
constexpr std::size_t kMaxFonts = 4000;
constexpr std::size_t kMaxCellFormats = 4000;

template<std::size_t N> void Put16(std::array<char, N>& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

template<std::size_t N> void Put32(std::array<char, N>& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

std::size_t qHash(const TFont& font, std::size_t seed)
{
    return qHashMulti(
        seed, font.Name, font.Height, font.Style.toInt(), font.Charset, font.Color, int(font.Pitch));
}

TRLXLSSaveTables::TRLXLSSaveTables()
{
    for (int i = 0; i < kDefaultFontCount; ++i) {
        const TFont font = DefaultXLSFont();
        m_fonts.push_back({ font, Palette.ColorIndex(font.Color) });
        m_fontIndexes.insert(font, 0);
    }
    m_formats.assign(std::begin(kFixedFormats), std::end(kFixedFormats));
    m_cellFormats.push_back(kDefaultCellFormat);
}

std::size_t TRLXLSSaveTables::TCellFormatHash::operator()(const TCellFormatBytes& bytes) const
{
    return qHashBits(bytes.data(), bytes.size());
}

quint16 TRLXLSSaveTables::FontIndex(const TFont& font)
{
    if (m_lastFontIndex != 0 && font == m_lastFont)
        return m_lastFontIndex;
    auto found = m_fontIndexes.constFind(font);
    if (found == m_fontIndexes.constEnd()) {
        if (m_fonts.size() >= kMaxFonts)
            return kFontIndexShift;
        found = m_fontIndexes.insert(font, quint16(m_fonts.size()));
        m_fonts.push_back({ font, Palette.ColorIndex(font.Color) });
    }
    m_lastFont = font;
    m_lastFontIndex = quint16(found.value() + kFontIndexShift);
    return m_lastFontIndex;
}

quint16 TRLXLSSaveTables::FormatIndex(const QString& format)
{
    if (format.isEmpty())
        return 0;
    for (const TRLXLSFormatEntry& entry : m_formats) {
        if (entry.Text == format)
            return entry.Index;
    }
    const quint16 index = quint16(kFirstAddedFormat + m_addedFormats++);
    m_formats.push_back({ index, format });
    return index;
}

quint16 TRLXLSSaveTables::CellFormatIndex(const TRLXLSRange& range)
{
    const TCellFormatBytes bytes = CellFormatBytes(range);
    auto found = m_cellFormatIndexes.find(bytes);
    if (found == m_cellFormatIndexes.end()) {
        if (m_cellFormats.size() >= kMaxCellFormats)
            return kFirstCellFormat;
        found = m_cellFormatIndexes.emplace(bytes, quint16(m_cellFormats.size())).first;
        m_cellFormats.emplace_back(bytes.data(), qsizetype(bytes.size()));
    }
    return quint16(found->second + kFirstCellFormat);
}

TRLXLSSaveTables::TCellFormatBytes TRLXLSSaveTables::CellFormatBytes(const TRLXLSRange& range)
{
    const auto& borders = range.Borders.Items;
    const auto styled = [&](TRLXLSBorderIndex side) { return borders[side].LineStyle != 0; };
    const auto color = [&](TRLXLSBorderIndex side) {
        return styled(side) ? quint32(Palette.ColorIndex(borders[side].Color) & kColorMask) : 0u;
    };
    const auto style
        = [&](TRLXLSBorderIndex side) { return quint32(borders[side].LineStyle & kBorderStyleMask); };

    TCellFormatBytes bytes {};
    Put16(bytes, 0, FontIndex(range.Font));
    Put16(bytes, 2, FormatIndex(range.Format));
    Put16(bytes, 4, kLockedCellOfStyle0);
    bytes[6] = char(range.HorizontalAlignment | (range.WrapText ? kWrapBit : 0)
        | (range.VerticalAlignment << kVerticalShift));
    bytes[7] = char(range.Rotation);
    Put16(bytes, 8, range.CellArea().Merged() ? kUsedAttributes | kMergedCell : kUsedAttributes);
    Put16(
        bytes, 10, quint16(style(xbLeft) | style(xbRight) << 4 | style(xbTop) << 8 | style(xbBottom) << 12));
    quint16 sideColors = quint16(color(xbLeft) | color(xbRight) << kRightColorShift);
    if (styled(xbDiagonalDown))
        sideColors |= kDiagonalDownFlag;
    if (styled(xbDiagonalUp))
        sideColors |= kDiagonalUpFlag;
    Put16(bytes, 12, sideColors);
    const TRLXLSBorderIndex diagonal = styled(xbDiagonalDown) ? xbDiagonalDown : xbDiagonalUp;
    Put32(bytes, 14,
        color(xbTop) | color(xbBottom) << kBottomColorShift | color(diagonal) << kDiagonalColorShift
            | style(diagonal) << kDiagonalStyleShift
            | quint32(range.FillPattern & kFillPatternMask) << kFillPatternShift);
    const quint32 foreground = quint32(Palette.ColorIndex(range.ForegroundColor) & kColorMask);
    const quint32 background = quint32(Palette.ColorIndex(range.BackgroundColor) & kColorMask);
    Put16(bytes, 18, quint16(foreground | background << kBackgroundShift));
    return bytes;
}
