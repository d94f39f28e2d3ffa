#include "filters/RLPDFImages.h"

#include "filters/RLPDFWriter.h"
#include "pages/RLPictureData.h"
#include "platform/Exceptions.h"

#include <QPainter>

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
    QImage picture;
    try {
        picture = DecodePictureData(data);
    } catch (const EReportError&) {
        return kDamagedImage;
    }
    // A picture of no pixels ("NIL" data) would make an image object that readers reject.
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        return kNoImage;
    m_objectNumbers.push_back(WritePdfImageObject(writer, picture, Filter));
    const int image = int(m_objectNumbers.size());
    candidates.push_back(TEntry { data, image });
    return image;
}

void TRLPDFImageList::Clear()
{
    m_pictures.clear();
    m_objectNumbers.clear();
}

namespace {

bool IsOpaque(const QImage& argb)
{
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return false;
        }
    }
    return true;
}

/// The picture laid on white paper.
QImage OnWhite(const QImage& picture)
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

/// Writes an image object's dictionary entries and its pixel rows, as ASCIIHex or compressed;
/// `channels` gives the hexadecimal digits of one pixel, `bytes` its bytes.
template<typename TChannels, typename TBytes>
int WriteImageObject(TRLPDFWriter& writer, const QImage& picture, TRLStreamFilter filter,
    QByteArrayView colorSpace, const QByteArray& extraEntry, TChannels channels, TBytes bytes)
{
    const int length = writer.ReserveObject();
    const int number = writer.BeginDictionary();
    writer.WriteLine("/Type/XObject");
    writer.WriteLine("/Subtype/Image");
    writer.WriteLine("/Width " + QByteArray::number(picture.width()));
    writer.WriteLine("/Height " + QByteArray::number(picture.height()));
    writer.WriteLine("/ColorSpace/" + colorSpace.toByteArray());
    writer.WriteLine("/BitsPerComponent 8");
    if (!extraEntry.isEmpty())
        writer.WriteLine(extraEntry);
    writer.WriteLine("/Length " + TRLPDFWriter::Reference(length));
    if (filter == TRLStreamFilter::Flate) {
        writer.BeginStream(filter);
        QByteArray row;
        for (int y = 0; y < picture.height(); ++y) {
            row.clear();
            const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                bytes(row, pixels[x]);
            writer.Write(row);
        }
        writer.EndStream(length);
        return number;
    }
    writer.WriteLine("/Filter [/ASCIIHexDecode]");
    writer.BeginStream();
    QByteArray line;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            channels(line, row[x]);
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

}

int WritePdfImageObject(TRLPDFWriter& writer, const QImage& picture, TRLStreamFilter filter)
{
    const auto rgb = [](QByteArray& line, QRgb pixel) {
        AppendHexByte(line, qRed(pixel));
        AppendHexByte(line, qGreen(pixel));
        AppendHexByte(line, qBlue(pixel));
    };
    const auto rgbBytes = [](QByteArray& row, QRgb pixel) {
        row += char(qRed(pixel));
        row += char(qGreen(pixel));
        row += char(qBlue(pixel));
    };
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    if (!picture.hasAlphaChannel() || IsOpaque(argb))
        return WriteImageObject(writer, argb, filter, "DeviceRGB", {}, rgb, rgbBytes);
    // Transparent pixels would come out black. The colours are laid on white, so that a reader
    // without soft masks shows paper there; the soft mask, whose matte undoes that white, lets
    // the others show whatever lies beneath.
    const int mask = WriteImageObject(
        writer, argb, filter, "DeviceGray", "/Matte [1 1 1]",
        [](QByteArray& line, QRgb pixel) { AppendHexByte(line, qAlpha(pixel)); },
        [](QByteArray& row, QRgb pixel) { row += char(qAlpha(pixel)); });
    return WriteImageObject(
        writer, OnWhite(argb), filter, "DeviceRGB", "/SMask " + TRLPDFWriter::Reference(mask), rgb, rgbBytes);
}
