#include "platform/Picture.h"

#include "platform/Exceptions.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <limits>

namespace {

constexpr QByteArrayView kBitmapMagic { "BM" };
constexpr QByteArrayView kIconMagic { "\0\0\1\0", 4 };
constexpr QByteArrayView kPngMagic { "\x89PNG", 4 };
constexpr QByteArrayView kJpegMagic { "\xFF\xD8\xFF", 3 };
/// As many pixels as Qt's reader allocates by default (128 MB of 32-bit pixels).
constexpr qint64 kMaxPicturePixels = qint64(32) * 1024 * 1024;
constexpr int kMaxPictureSide = 32767;
constexpr qint64 kMillion = 1000000;

const char* QtFormatName(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Bitmap:
        return "bmp";
    case TPictureFormat::Icon:
        return "ico";
    case TPictureFormat::Png:
        return "png";
    case TPictureFormat::Jpeg:
        return "jpeg";
    case TPictureFormat::Unknown:
        break;
    }
    return "";
}

QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        throw EReportError(QStringLiteral("Cannot write picture: %1").arg(writer.errorString()));
    return bytes;
}

bool HasTransparentPixels(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return true;
        }
    }
    return false;
}

void Put16(QByteArray& out, int offset, quint16 value)
{
    qToLittleEndian(value, out.data() + offset);
}

void Put32(QByteArray& out, int offset, quint32 value)
{
    qToLittleEndian(value, out.data() + offset);
}

/// A 32-bit bitmap with a version 4 header whose masks include alpha: Qt's writer keeps only 24
/// bits, which turns transparent pixels black. Fully transparent pixels are stored white, so that
/// a reader that ignores alpha shows them as paper.
QByteArray SaveAlphaBitmap(const QImage& image)
{
    constexpr int kFileHeaderSize = 14;
    constexpr int kInfoHeaderSize = 108;
    constexpr int kPixelsOffset = kFileHeaderSize + kInfoHeaderSize;
    constexpr quint32 kBitFields = 3;
    constexpr quint32 kSrgbColorSpace = 0x73524742; // 'sRGB'
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    const qint64 imageSize = qint64(width) * height * 4;
    if (kPixelsOffset + imageSize > std::numeric_limits<qint32>::max())
        throw EReportError(QStringLiteral("Cannot write picture: %1 x %2 pixels are too many for a bitmap")
                               .arg(width)
                               .arg(height));
    QByteArray out(kPixelsOffset + imageSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, quint32(out.size()));
    Put32(out, 10, kPixelsOffset);
    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, quint32(width));
    Put32(out, 22, quint32(height)); // positive: rows bottom-up
    Put16(out, 26, 1);
    Put16(out, 28, 32);
    Put32(out, 30, kBitFields);
    Put32(out, 34, quint32(imageSize));
    Put32(out, 38, quint32(argb.dotsPerMeterX()));
    Put32(out, 42, quint32(argb.dotsPerMeterY()));
    Put32(out, 54, 0x00FF0000);
    Put32(out, 58, 0x0000FF00);
    Put32(out, 62, 0x000000FF);
    Put32(out, 66, 0xFF000000);
    Put32(out, 70, kSrgbColorSpace);
    char* pixel = out.data() + kPixelsOffset;
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x, pixel += 4)
            qToLittleEndian(quint32(qAlpha(row[x]) == 0 ? qRgba(255, 255, 255, 0) : row[x]), pixel);
    }
    return out;
}

} // namespace

TPictureFormat DetectPictureFormat(QByteArrayView data)
{
    if (data.startsWith(kBitmapMagic))
        return TPictureFormat::Bitmap;
    if (data.startsWith(kIconMagic))
        return TPictureFormat::Icon;
    if (data.startsWith(kPngMagic))
        return TPictureFormat::Png;
    if (data.startsWith(kJpegMagic))
        return TPictureFormat::Jpeg;
    return TPictureFormat::Unknown;
}

QImage LoadPicture(QByteArrayView data)
{
    const TPictureFormat format = DetectPictureFormat(data);
    if (format == TPictureFormat::Unknown)
        throw EReportError(QStringLiteral("Unknown picture format"));
    QByteArray bytes = data.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QtFormatName(format));
    // Refused by the size its header declares, before the pixels are allocated.
    if (const QSize declared = reader.size(); declared.isValid()
        && (declared.width() > kMaxPictureSide || declared.height() > kMaxPictureSide
            || qint64(declared.width()) * declared.height() > kMaxPicturePixels))
        throw EReportError(QCoreApplication::translate(
            "Picture", "The picture declares %1 x %2 pixels, more than the %3 million a picture may have")
                               .arg(declared.width())
                               .arg(declared.height())
                               .arg(kMaxPicturePixels / kMillion));
    QImage image = reader.read();
    if (image.isNull())
        throw EReportError(QStringLiteral("Invalid %1 picture: %2")
                               .arg(QLatin1StringView(QtFormatName(format)), reader.errorString()));
    return image;
}

QByteArray SaveBitmap(const QImage& image)
{
    if (HasTransparentPixels(image))
        return SaveAlphaBitmap(image);
    return Encode(image.convertToFormat(QImage::Format_RGB888), "bmp");
}

QByteArray SaveIcon(const QImage& image)
{
    return Encode(image.convertToFormat(QImage::Format_ARGB32), "ico");
}
