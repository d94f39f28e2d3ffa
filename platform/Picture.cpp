#include "platform/Picture.h"

#include "platform/Exceptions.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace {

constexpr QByteArrayView kBitmapMagic { "BM" };
constexpr QByteArrayView kIconMagic { "\0\0\1\0", 4 };
constexpr QByteArrayView kPngMagic { "\x89PNG", 4 };
constexpr QByteArrayView kJpegMagic { "\xFF\xD8\xFF", 3 };

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
    QImage image = reader.read();
    if (image.isNull())
        throw EReportError(QStringLiteral("Invalid %1 picture: %2")
                               .arg(QLatin1StringView(QtFormatName(format)), reader.errorString()));
    return image;
}

QByteArray SaveBitmap(const QImage& image)
{
    const QImage converted = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                                     : image.convertToFormat(QImage::Format_RGB888);
    return Encode(converted, "bmp");
}

QByteArray SaveIcon(const QImage& image)
{
    return Encode(image.convertToFormat(QImage::Format_ARGB32), "ico");
}
