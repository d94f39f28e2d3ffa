#include "filters/RLPDFFonts.h"

#include "filters/RLPDFFontSubset.h"
#include "filters/RLPDFWriter.h"
#include "pages/RLFontMetrics.h"
#include "platform/Exceptions.h"
#include "support/TextUtils.h"
#include "support/Windows1252.h"

#include <QCryptographicHash>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr std::array<QByteArrayView, 14> kStandardFonts {
    "Courier",
    "Courier-Bold",
    "Courier-Oblique",
    "Courier-BoldOblique",
    "Helvetica",
    "Helvetica-Bold",
    "Helvetica-Oblique",
    "Helvetica-BoldOblique",
    "Symbol",
    "Times-Roman",
    "Times-Bold",
    "Times-Italic",
    "Times-BoldItalic",
    "ZapfDingbats",
};

constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;
constexpr int kStyleUnderline = 4;
constexpr int kStyleStrikeOut = 8;
constexpr int kWidthsPerLine = 18;
constexpr int kDescriptorFlags = 32;
constexpr int kStem = 73;
constexpr int kFlagFixedPitch = 1;
constexpr int kFlagItalic = 64;
constexpr int kTenthsPerDegree = 10;
constexpr unsigned char kFirstRegular = 32;
constexpr unsigned char kDelete = 127;
constexpr QByteArrayView kNameDelimiters { "()<>[]{}/%#" };
/// Widths are thousandths of an em; a point is 96 / 72 dots.
constexpr qint64 kWidthUnitsPerEm = 1000;
constexpr qint64 kDotsPerInch = 96;
constexpr qint64 kPointsPerInch = 72;

/// Thousandths of an em at `pointSize` as dots, rounded up.
int UnitsToDots(qint64 units, int pointSize)
{
    const qint64 numerator = units * pointSize * kDotsPerInch;
    const qint64 denominator = kWidthUnitsPerEm * kPointsPerInch;
    if (numerator <= 0)
        return int(numerator / denominator);
    return int((numerator + denominator - 1) / denominator);
}

QByteArray StyleSuffix(int styleBits)
{
    QByteArray suffix;
    if ((styleBits & kStyleBold) && (styleBits & kStyleItalic))
        suffix = ",BoldItalic";
    else if (styleBits & kStyleBold)
        suffix = ",Bold";
    else if (styleBits & kStyleItalic)
        suffix = ",Italic";
    if (styleBits & kStyleUnderline)
        suffix += ",Underline";
    if (styleBits & kStyleStrikeOut)
        suffix += ",StrikeOut";
    return suffix;
}

TFontStyles ToFontStyles(int styleBits)
{
    TFontStyles styles;
    if (styleBits & kStyleBold)
        styles |= fsBold;
    if (styleBits & kStyleItalic)
        styles |= fsItalic;
    if (styleBits & kStyleUnderline)
        styles |= fsUnderline;
    if (styleBits & kStyleStrikeOut)
        styles |= fsStrikeOut;
    return styles;
}

/// The family and style a standard name stands for: "Times-BoldItalic" is Times, bold, italic.
std::pair<QString, TFontStyles> StandardFamilyAndStyle(const QByteArray& name)
{
    const qsizetype dash = name.indexOf('-');
    const QByteArray family = dash < 0 ? name : name.left(dash);
    const QByteArray variant = dash < 0 ? QByteArray() : name.mid(dash + 1).toLower();
    TFontStyles style;
    if (variant.contains("bold"))
        style |= fsBold;
    if (variant.contains("italic") || variant.contains("oblique"))
        style |= fsItalic;
    return { QString::fromLatin1(family), style };
}

/// The face's own tables where it has them. fontconfig may serve a Type 1 file (for "Helvetica
/// Narrow", say), whose outlines come without those tables: the font engine measures it then,
/// and the export goes on.
TRLFontMetrics MeasureFace(const QString& family, TFontStyles style)
{
    try {
        return GetFontMetrics(family, style);
    } catch (const EReportError&) {
        return GetFallbackFontMetrics(family, style);
    }
}

/// Six capital letters that tell this subset of the face from others of it, the same for the
/// same glyphs in every run.
QByteArray SubsetTag(const QByteArray& name, const std::bitset<256>& shown)
{
    constexpr int kTagLength = 6;
    constexpr int kLetters = 26;
    const QByteArray digest = QCryptographicHash::hash(
        name + '/' + QByteArray::fromStdString(shown.to_string()), QCryptographicHash::Sha1);
    QByteArray tag;
    for (int i = 0; i < kTagLength; ++i)
        tag += char('A' + static_cast<unsigned char>(digest[i]) % kLetters);
    return tag;
}

QString ShownCharacters(const std::bitset<256>& shown)
{
    QByteArray codes;
    for (std::size_t code = 0; code < shown.size(); ++code) {
        if (shown.test(code))
            codes += char(code);
    }
    return FromWindows1252(codes);
}

/// Nonsymbolic (Latin text under WinAnsi), with the face's pitch and slant.
int EmbeddedFlags(const TRLFontMetrics& metrics)
{
    int flags = kDescriptorFlags;
    if (metrics.FixedPitch)
        flags |= kFlagFixedPitch;
    if (metrics.ItalicAngle != 0)
        flags |= kFlagItalic;
    return flags;
}

QByteArray Fields(std::initializer_list<qint32> values)
{
    QByteArray text;
    for (const qint32 value : values) {
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::number(value);
    }
    return text;
}

}

QByteArray PdfFontName(const QString& faceName)
{
    QString face = faceName;
    face.remove(u' ');
    // A delimiter or an unprintable byte in a face name would end the name early and break the
    // file, so such bytes are written as #xx.
    QByteArray name;
    for (const char byte : ToWindows1252(face)) {
        const auto code = static_cast<unsigned char>(byte);
        if (code > kFirstRegular && code < kDelete && !kNameDelimiters.contains(byte)) {
            name += byte;
        } else {
            name += '#';
            name += QByteArray::number(code, 16).rightJustified(2, '0').toUpper();
        }
    }
    return name;
}

bool IsStandardPdfFont(const QByteArray& name)
{
    for (const QByteArrayView standard : kStandardFonts) {
        if (name.compare(standard, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int TRLPDFFontTable::Register(const QString& faceName, int styleBits, TRLPDFWriter& writer)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const TEntry& entry = m_entries[i];
        if (entry.StyleBits == styleBits && SameNameIgnoringCase(entry.FaceName, faceName))
            return int(i) + 1;
    }
    TEntry entry;
    entry.FaceName = faceName;
    entry.StyleBits = styleBits;
    entry.ObjectNumber = writer.ReserveObject();
    entry.PdfName = PdfFontName(faceName);
    entry.Standard = IsStandardPdfFont(entry.PdfName);
    if (!entry.Standard)
        entry.PdfName += StyleSuffix(styleBits);
    m_entries.push_back(std::move(entry));
    return int(m_entries.size());
}

const TRLFontMetrics& TRLPDFFontTable::Metrics(int index)
{
    TEntry& entry = m_entries.at(std::size_t(index - 1));
    if (!entry.Metrics) {
        // A standard font is named without the entry's style, so a reader draws it as named.
        const auto [family, style] = entry.Standard
            ? StandardFamilyAndStyle(entry.PdfName)
            : std::pair(entry.FaceName, ToFontStyles(entry.StyleBits));
        entry.Metrics = std::make_unique<TRLFontMetrics>(MeasureFace(family, style));
    }
    return *entry.Metrics;
}

int TRLPDFFontTable::TextWidth(int index, QByteArrayView bytes, int pointSize)
{
    const TRLFontMetrics& metrics = Metrics(index);
    qint64 units = 0;
    for (const char byte : bytes)
        units += metrics.Widths[static_cast<unsigned char>(byte)];
    return UnitsToDots(units, pointSize);
}

int TRLPDFFontTable::DescentDots(int index, int pointSize)
{
    return UnitsToDots(Metrics(index).Descent, pointSize);
}

void TRLPDFFontTable::NoteShown(int index, QByteArrayView bytes)
{
    std::bitset<256>& shown = m_entries.at(std::size_t(index - 1)).Shown;
    for (const char byte : bytes)
        shown.set(static_cast<unsigned char>(byte));
}

void TRLPDFFontTable::WriteFonts(TRLPDFWriter& writer)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        TEntry& entry = m_entries[i];
        const int index = int(i) + 1;
        if (entry.Standard) {
            writer.BeginDictionary(entry.ObjectNumber);
            writer.WriteLine("/Type/Font/Subtype/Type1/Name/F" + QByteArray::number(index) + "/BaseFont/"
                + entry.PdfName + "/Encoding/WinAnsiEncoding");
            writer.EndDictionary();
        } else {
            WriteDescribedFont(writer, index, entry, nullptr);
        }
    }
}

void TRLPDFFontTable::WriteEmbeddedFonts(TRLPDFWriter& writer)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        WriteEmbeddedFont(writer, int(i) + 1, m_entries[i]);
}

void TRLPDFFontTable::WriteEmbeddedFont(TRLPDFWriter& writer, int index, TEntry& entry)
{
    const TRLFontMetrics& metrics = Metrics(index);
    // The very face the widths were measured from, as Qt resolved the name.
    const TFontStyles style
        = entry.Standard ? StandardFamilyAndStyle(entry.PdfName).second : ToFontStyles(entry.StyleBits);
    const TRLFontSubset subset
        = SubsetInstalledFont(metrics.MeasuredFace, style, ShownCharacters(entry.Shown));
    const QByteArray faceName = subset.PostScriptName.isEmpty()
        ? PdfFontName(metrics.MeasuredFace)
        : PdfFontName(QString::fromUtf8(subset.PostScriptName));

    const int length = writer.ReserveObject();
    TEmbedding embedding;
    embedding.FontFileObject = writer.BeginDictionary();
    writer.WriteLine("/Length " + TRLPDFWriter::Reference(length));
    if (subset.Cff) {
        writer.WriteLine("/Subtype/Type1C");
        embedding.Subtype = "Type1";
        embedding.FontFileKey = "/FontFile3";
    } else {
        writer.WriteLine("/Length1 " + QByteArray::number(subset.Data.size()));
        embedding.Subtype = "TrueType";
        embedding.FontFileKey = "/FontFile2";
    }
    writer.BeginStream(TRLStreamFilter::Flate);
    writer.Write(subset.Data);
    writer.EndStream(length);
    embedding.BaseFont = SubsetTag(faceName, entry.Shown) + '+' + faceName;
    WriteDescribedFont(writer, index, entry, &embedding);
}

void TRLPDFFontTable::WriteDescribedFont(
    TRLPDFWriter& writer, int index, TEntry& entry, const TEmbedding* embedding)
{
    const TRLFontMetrics& metrics = Metrics(index);
    const QByteArray& name = embedding ? embedding->BaseFont : entry.PdfName;
    const QByteArrayView subtype = embedding ? embedding->Subtype : QByteArrayView("TrueType");
    const int descriptor = writer.ReserveObject();

    writer.BeginDictionary(entry.ObjectNumber);
    writer.WriteLine("/Type/Font/Subtype/" + subtype.toByteArray() + "/Name/F" + QByteArray::number(index)
        + "/BaseFont/" + name);
    writer.WriteLine("/FirstChar " + QByteArray::number(metrics.FirstChar));
    writer.WriteLine("/LastChar " + QByteArray::number(metrics.LastChar));
    writer.WriteLine("/Widths [");
    int onLine = 0;
    for (qint32 code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
        const qint32 width
            = code >= 0 && code < qint32(metrics.Widths.size()) ? metrics.Widths[std::size_t(code)] : 0;
        writer.Write(QByteArray::number(width) + ' ');
        if (++onLine == kWidthsPerLine) {
            writer.WriteLineEnd();
            onLine = 0;
        }
    }
    writer.WriteLineEnd();
    writer.WriteLine("]");
    writer.WriteLine("/FontDescriptor " + TRLPDFWriter::Reference(descriptor));
    writer.WriteLine("/Encoding/WinAnsiEncoding");
    writer.EndDictionary();

    const TRect& box = metrics.FontBBox;
    writer.BeginDictionary(descriptor);
    writer.WriteLine("/Type/FontDescriptor");
    writer.WriteLine("/FontName/" + name);
    writer.WriteLine("/Flags " + QByteArray::number(embedding ? EmbeddedFlags(metrics) : kDescriptorFlags));
    writer.WriteLine("/FontBBox [ " + Fields({ box.Left, box.Bottom, box.Right, box.Top }) + " ]");
    writer.WriteLine("/MissingWidth 0");
    writer.WriteLine("/StemV " + QByteArray::number(kStem));
    writer.WriteLine("/StemH " + QByteArray::number(kStem));
    // An embedded font's descriptor follows the reference's units and signs: degrees, and the
    // descent below the baseline as a negative value.
    writer.WriteLine("/ItalicAngle "
        + QByteArray::number(embedding ? metrics.ItalicAngle / kTenthsPerDegree : metrics.ItalicAngle));
    writer.WriteLine("/CapHeight " + QByteArray::number(metrics.CapHeight));
    writer.WriteLine("/XHeight " + QByteArray::number(metrics.XHeight));
    writer.WriteLine("/Ascent " + QByteArray::number(metrics.Ascent));
    writer.WriteLine("/Descent " + QByteArray::number(embedding ? -metrics.Descent : metrics.Descent));
    writer.WriteLine("/Leading " + QByteArray::number(metrics.InternalLeading));
    writer.WriteLine("/MaxWidth " + QByteArray::number(metrics.MaxWidth));
    writer.WriteLine("/AvgWidth " + QByteArray::number(metrics.AvgWidth));
    if (embedding)
        writer.WriteLine(
            embedding->FontFileKey.toByteArray() + ' ' + TRLPDFWriter::Reference(embedding->FontFileObject));
    writer.EndDictionary();
}
