#include "pages/RLFontMetrics.h"

#include "platform/Exceptions.h"
#include "support/Windows1252.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <QtEndian>
#include <cmath>

namespace {

/// One em measures this many units in the record.
constexpr double kUnitsPerEm = 1000;
constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;

// Offsets of the fields read from the font's own tables.
constexpr qsizetype kHeadUnitsPerEm = 18;
constexpr qsizetype kHeadXMin = 36;
constexpr qsizetype kHeadYMin = 38;
constexpr qsizetype kHeadXMax = 40;
constexpr qsizetype kHeadYMax = 42;
constexpr qsizetype kHheaAdvanceWidthMax = 10;
constexpr qsizetype kPostItalicAngle = 4;
constexpr qsizetype kPostIsFixedPitch = 12;
constexpr qsizetype kOs2Version = 0;
constexpr qsizetype kOs2AvgCharWidth = 2;
constexpr qsizetype kOs2WinAscent = 74;
constexpr qsizetype kOs2WinDescent = 76;
constexpr qsizetype kOs2XHeight = 86;
constexpr qsizetype kOs2CapHeight = 88;
/// The first OS/2 version with x-height and cap height.
constexpr quint16 kOs2VersionWithHeights = 2;
constexpr double kFixedOne = 65536.0;
constexpr double kTenthsPerDegree = 10.0;

[[noreturn]] void RaiseInvalidFont()
{
    throw EReportError(QStringLiteral("Invalid font for GetOutlineTextMetrics"));
}

[[noreturn]] void RaiseMetricsFailed()
{
    throw EReportError(QStringLiteral("GetOutlineTextMetrics failed"));
}

template<class T> T TableValue(const QByteArray& table, qsizetype offset)
{
    if (offset < 0 || offset + qsizetype(sizeof(T)) > table.size())
        RaiseMetricsFailed();
    return qFromBigEndian<T>(table.constData() + offset);
}

class TScaler {
public:
    explicit TScaler(int unitsPerEm)
        : m_factor(kUnitsPerEm / unitsPerEm)
    {
    }
    qint32 operator()(double fontUnits) const { return qint32(std::lround(fontUnits * m_factor)); }

private:
    double m_factor;
};

QString StyleText(TFontStyles style)
{
    QString text;
    if (style.testFlag(fsBold))
        text += u"Bold";
    if (style.testFlag(fsItalic))
        text += u"Italic";
    if (style.testFlag(fsUnderline))
        text += u"Underline";
    if (style.testFlag(fsStrikeOut))
        text += u"StrikeOut";
    return text;
}

/// Height of the glyph's ink above the baseline, for fonts whose OS/2 table predates the field.
qint32 InkHeight(const QRawFont& font, char16_t character)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(QString(QChar(character)));
    if (glyphs.isEmpty() || glyphs.front() == 0)
        return 0;
    return qint32(std::lround(-font.boundingRect(glyphs.front()).top()));
}

QFont MeasuringFont(const QString& faceName, TFontStyles style)
{
    QFont font(faceName);
    font.setPixelSize(int(kUnitsPerEm));
    font.setBold(style.testFlag(fsBold));
    font.setItalic(style.testFlag(fsItalic));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString CharacterOfCode(int code)
{
    const char byte = char(code);
    return FromWindows1252(QByteArrayView(&byte, 1));
}

qint32 Units(qreal value)
{
    return qint32(std::lround(value));
}

} // namespace

TRLFontMetrics GetFontMetrics(const QString& faceName, TFontStyles style)
{
    const QRawFont raw = QRawFont::fromFont(MeasuringFont(faceName, style));
    if (!raw.isValid())
        RaiseInvalidFont();
    // Bitmap faces have no outline tables to measure.
    const QByteArray head = raw.fontTable("head");
    if (head.isEmpty())
        RaiseInvalidFont();
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray post = raw.fontTable("post");
    const QByteArray os2 = raw.fontTable("OS/2");
    if (hhea.isEmpty() || post.isEmpty() || os2.isEmpty())
        RaiseMetricsFailed();
    const int unitsPerEm = TableValue<quint16>(head, kHeadUnitsPerEm);
    if (unitsPerEm == 0)
        RaiseMetricsFailed();
    const TScaler scale(unitsPerEm);

    TRLFontMetrics metrics;
    metrics.FaceName = faceName;
    metrics.MeasuredFace = raw.familyName();
    metrics.StyleText = StyleText(style);
    metrics.FixedPitch = TableValue<quint32>(post, kPostIsFixedPitch) != 0;
    metrics.FirstChar = kFirstChar;
    metrics.LastChar = kLastChar;

    QByteArray codes;
    for (int code = kFirstChar; code <= kLastChar; ++code)
        codes.append(char(code));
    const QString characters = FromWindows1252(codes);
    const QList<quint32> glyphs = raw.glyphIndexesForString(characters);
    if (glyphs.size() != characters.size())
        RaiseMetricsFailed();
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    for (int i = 0; i < advances.size(); ++i)
        metrics.Widths[std::size_t(kFirstChar) + std::size_t(i)] = qint32(std::lround(advances[i].x()));

    metrics.FontBBox.Left = scale(TableValue<qint16>(head, kHeadXMin));
    metrics.FontBBox.Bottom = scale(TableValue<qint16>(head, kHeadYMin));
    metrics.FontBBox.Right = scale(TableValue<qint16>(head, kHeadXMax));
    metrics.FontBBox.Top = scale(TableValue<qint16>(head, kHeadYMax));
    const double italicDegrees = TableValue<qint32>(post, kPostItalicAngle) / kFixedOne;
    metrics.ItalicAngle = qint32(std::lround(italicDegrees * kTenthsPerDegree));
    if (TableValue<quint16>(os2, kOs2Version) >= kOs2VersionWithHeights) {
        metrics.CapHeight = scale(TableValue<qint16>(os2, kOs2CapHeight));
        metrics.XHeight = scale(TableValue<qint16>(os2, kOs2XHeight));
    } else {
        metrics.CapHeight = InkHeight(raw, u'H');
        metrics.XHeight = InkHeight(raw, u'x');
    }
    metrics.Ascent = scale(TableValue<quint16>(os2, kOs2WinAscent));
    metrics.Descent = scale(TableValue<quint16>(os2, kOs2WinDescent));
    metrics.InternalLeading = metrics.Ascent + metrics.Descent - qint32(kUnitsPerEm);
    metrics.MaxWidth = scale(TableValue<quint16>(hhea, kHheaAdvanceWidthMax));
    metrics.AvgWidth = scale(TableValue<qint16>(os2, kOs2AvgCharWidth));
    return metrics;
}

TRLFontMetrics GetFallbackFontMetrics(const QString& faceName, TFontStyles style)
{
    const QFont font = MeasuringFont(faceName, style);
    const QFontMetricsF measured(font);
    const QFontInfo info(font);
    const QRawFont raw = QRawFont::fromFont(font);

    TRLFontMetrics metrics;
    metrics.FaceName = faceName;
    metrics.MeasuredFace = raw.isValid() ? raw.familyName() : info.family();
    metrics.StyleText = StyleText(style);
    metrics.FixedPitch = info.fixedPitch();
    metrics.FirstChar = kFirstChar;
    metrics.LastChar = kLastChar;
    QRectF box;
    for (int code = kFirstChar; code <= kLastChar; ++code) {
        const QString character = CharacterOfCode(code);
        const QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(character) : QList<quint32>();
        if (glyphs.size() != 1) {
            metrics.Widths[std::size_t(code)] = Units(measured.horizontalAdvance(character));
            continue;
        }
        // The glyph's own advance: text layout gives a soft hyphen none, but a PDF reader draws it.
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        metrics.Widths[std::size_t(code)] = Units(advances.front().x());
        if (glyphs.front() != 0)
            box |= raw.boundingRect(glyphs.front());
    }
    // The engine's y grows downward; the record's box grows upward from the baseline.
    metrics.FontBBox.Left = qint32(std::floor(box.left()));
    metrics.FontBBox.Top = qint32(std::ceil(-box.top()));
    metrics.FontBBox.Right = qint32(std::ceil(box.right()));
    metrics.FontBBox.Bottom = qint32(std::floor(-box.bottom()));
    metrics.CapHeight = Units(measured.capHeight());
    metrics.XHeight = Units(measured.xHeight());
    metrics.Ascent = Units(measured.ascent());
    metrics.Descent = Units(measured.descent());
    metrics.InternalLeading = metrics.Ascent + metrics.Descent - qint32(kUnitsPerEm);
    metrics.MaxWidth = Units(measured.maxWidth());
    metrics.AvgWidth = Units(measured.averageCharWidth());
    return metrics;
}
