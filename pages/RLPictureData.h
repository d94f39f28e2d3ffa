#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

// Picture data of an image object: a three-letter tag, then the picture's own file bytes.
constexpr QByteArrayView kPictureTagNone { "NIL" };
constexpr QByteArrayView kPictureTagBitmap { "BMP" };
constexpr QByteArrayView kPictureTagIcon { "ICO" };

/// "BMP" + a Windows bitmap file of the image; "NIL" for a null image.
QByteArray BitmapPictureData(const QImage& picture);
/// "ICO" + the icon file bytes as they are.
QByteArray IconPictureData(QByteArrayView iconFile);
/// The picture of tagged data; a null image for "NIL" or an unknown tag. Bytes that do not
/// decode, or declare more pixels than LoadPicture takes, throw EReportError.
QImage DecodePictureData(QByteArrayView data);
/// Shown in place of a picture whose data does not decode.
QString DamagedPictureNotice();
