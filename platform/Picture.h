#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

/// Picture formats the platform reads and writes by their stored bytes.
enum class TPictureFormat { Unknown, Bitmap, Icon, Png, Jpeg };

/// The format named by the data's own magic bytes.
TPictureFormat DetectPictureFormat(QByteArrayView data);

/// Decodes BMP, ICO, PNG or JPEG bytes; throws EReportError naming the fault when the data is
/// not a picture or declares more than 32 Mi pixels or 32767 on a side.
QImage LoadPicture(QByteArrayView data);

/// A Windows bitmap file of the image: 24 bits per pixel, or 32 with alpha when some pixel is not
/// opaque.
QByteArray SaveBitmap(const QImage& image);
/// A Windows icon file holding the image.
QByteArray SaveIcon(const QImage& image);
