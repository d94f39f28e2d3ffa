#include "filters/RLPDFImages.h"

#include "filters/RLPDFWriter.h"
#include "pages/RLPictureData.h"

namespace {

/// A line end follows as soon as this many hex digits are on the line.
constexpr int kHexLineLimit = 80;
constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(QByteArray& out, int value)
{
    out += kHexDigits[(value >> 4) & 0xF];
    out += kHexDigits[value & 0xF];
}

}

int TRLPDFImageList::ImageFor(const QByteArray& data, TRLPDFWriter& writer)
{
    // Found again by its bytes: two pictures that share a 16-bit checksum are different pictures
    // all the same, and comparing the bytes of the few pictures of equal size costs less than
    // summing every picture of every page.
    std::vector<TEntry>& candidates = m_pictures[data.size()];
    for (const TEntry& entry : candidates) {
        if (entry.Data == data)
            return entry.Image;
    }
    const QImage picture = DecodePictureData(data).convertToFormat(QImage::Format_RGB32);
    // A picture of no pixels ("NIL" data) would make an image object that readers reject.
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        return kNoImage;
    m_objectNumbers.push_back(WritePdfImageObject(writer, picture));
    const int image = int(m_objectNumbers.size());
    candidates.push_back(TEntry { data, image });
    return image;
}

void TRLPDFImageList::Clear()
{
    m_pictures.clear();
    m_objectNumbers.clear();
}

int WritePdfImageObject(TRLPDFWriter& writer, const QImage& picture)
{
    const int length = writer.ReserveObject();
    const int number = writer.BeginDictionary();
    writer.WriteLine("/Type/XObject");
    writer.WriteLine("/Subtype/Image");
    writer.WriteLine("/Width " + QByteArray::number(picture.width()));
    writer.WriteLine("/Height " + QByteArray::number(picture.height()));
    writer.WriteLine("/ColorSpace/DeviceRGB");
    writer.WriteLine("/BitsPerComponent 8");
    writer.WriteLine("/Length " + TRLPDFWriter::Reference(length));
    writer.WriteLine("/Filter [/ASCIIHexDecode]");
    writer.BeginStream();
    QByteArray line;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            AppendHexByte(line, qRed(row[x]));
            AppendHexByte(line, qGreen(row[x]));
            AppendHexByte(line, qBlue(row[x]));
            if (line.size() >= kHexLineLimit) {
                writer.WriteLine(line);
                line.clear();
            }
        }
    }
    line += '>';
    writer.WriteLine(line);
    writer.EndStream(length);
    return number;
}
