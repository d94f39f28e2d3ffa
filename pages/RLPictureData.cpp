#include "pages/RLPictureData.h"

#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QCoreApplication>

namespace {

QImage DecodeTagged(QByteArrayView file, TPictureFormat expected, QStringView kind)
{
    if (DetectPictureFormat(file) != expected)
        throw EReportError(QStringLiteral("Picture data tagged %1 does not hold a %1 file").arg(kind));
    return LoadPicture(file);
}

} // namespace

QByteArray BitmapPictureData(const QImage& picture)
{
    if (picture.isNull())
        return kPictureTagNone.toByteArray();
    // A report draws the same picture on every page (a logo), and encoding it is dear. An image's
    // cache key changes with any change to its pixels and is never reused for another image.
    struct TLastEncoded {
        qint64 Key = 0;
        QByteArray Data;
    };
    thread_local TLastEncoded last;
    if (last.Data.isEmpty() || last.Key != picture.cacheKey())
        last = TLastEncoded { picture.cacheKey(), kPictureTagBitmap.toByteArray() + SaveBitmap(picture) };
    return last.Data;
}

QByteArray IconPictureData(QByteArrayView iconFile)
{
    return kPictureTagIcon.toByteArray() + iconFile.toByteArray();
}

QImage DecodePictureData(QByteArrayView data)
{
    const QByteArrayView file
        = data.size() >= kPictureTagNone.size() ? data.sliced(kPictureTagNone.size()) : QByteArrayView();
    if (data.startsWith(kPictureTagBitmap))
        return DecodeTagged(file, TPictureFormat::Bitmap, u"BMP");
    if (data.startsWith(kPictureTagIcon))
        return DecodeTagged(file, TPictureFormat::Icon, u"ICO");
    return {};
}

QString DamagedPictureNotice()
{
    return QCoreApplication::translate("PictureData", "Damaged picture");
}
