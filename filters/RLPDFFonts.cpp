#include "filters/RLPDFFonts.h"

#include "filters/RLPDFWriter.h"
#include "pages/RLFontMetrics.h"
#include "support/Windows1252.h"

#include <array>

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
constexpr unsigned char kFirstRegular = 32;
constexpr unsigned char kDelete = 127;
constexpr QByteArrayView kNameDelimiters { "()<>[]{}/%#" };

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
        if (entry.StyleBits == styleBits && entry.FaceName.compare(faceName, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    m_entries.push_back(TEntry { faceName, styleBits, writer.ReserveObject() });
    return int(m_entries.size());
}

void TRLPDFFontTable::WriteFonts(TRLPDFWriter& writer) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const TEntry& entry = m_entries[i];
        const int index = int(i) + 1;
        const QByteArray name = PdfFontName(entry.FaceName);
        if (IsStandardPdfFont(name)) {
            writer.BeginDictionary(entry.ObjectNumber);
            writer.WriteLine("/Type/Font/Subtype/Type1/Name/F" + QByteArray::number(index) + "/BaseFont/"
                + name + "/Encoding/WinAnsiEncoding");
            writer.EndDictionary();
        } else {
            WriteTrueTypeFont(writer, index, entry, name + StyleSuffix(entry.StyleBits));
        }
    }
}

void TRLPDFFontTable::WriteTrueTypeFont(
    TRLPDFWriter& writer, int index, const TEntry& entry, const QByteArray& name) const
{
    const TRLFontMetrics metrics = GetFontMetrics(entry.FaceName, ToFontStyles(entry.StyleBits));
    const int descriptor = writer.ReserveObject();

    writer.BeginDictionary(entry.ObjectNumber);
    writer.WriteLine("/Type/Font/Subtype/TrueType/Name/F" + QByteArray::number(index) + "/BaseFont/" + name);
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
    writer.WriteLine("/Flags " + QByteArray::number(kDescriptorFlags));
    writer.WriteLine("/FontBBox [ " + Fields({ box.Left, box.Bottom, box.Right, box.Top }) + " ]");
    writer.WriteLine("/MissingWidth 0");
    writer.WriteLine("/StemV " + QByteArray::number(kStem));
    writer.WriteLine("/StemH " + QByteArray::number(kStem));
    writer.WriteLine("/ItalicAngle " + QByteArray::number(metrics.ItalicAngle));
    writer.WriteLine("/CapHeight " + QByteArray::number(metrics.CapHeight));
    writer.WriteLine("/XHeight " + QByteArray::number(metrics.XHeight));
    writer.WriteLine("/Ascent " + QByteArray::number(metrics.Ascent));
    writer.WriteLine("/Descent " + QByteArray::number(metrics.Descent));
    writer.WriteLine("/Leading " + QByteArray::number(metrics.InternalLeading));
    writer.WriteLine("/MaxWidth " + QByteArray::number(metrics.MaxWidth));
    writer.WriteLine("/AvgWidth " + QByteArray::number(metrics.AvgWidth));
    writer.EndDictionary();
}
