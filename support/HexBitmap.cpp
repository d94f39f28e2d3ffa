#include "support/HexBitmap.h"

#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QtEndian>

namespace {

constexpr qsizetype kLengthFieldSize = 4;

[[noreturn]] void RaiseBadBitmap(const QString& detail)
{
    throw EReportError(QStringLiteral("Invalid hexadecimal bitmap: %1").arg(detail));
}

int HexDigitValue(QChar c, qsizetype position)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    RaiseBadBitmap(QStringLiteral("character \"%1\" at position %2 is not a hexadecimal digit")
                       .arg(c)
                       .arg(position + 1));
}

QByteArray HexToBytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2)
        bytes += char(HexDigitValue(text[i], i) << 4 | HexDigitValue(text[i + 1], i + 1));
    return bytes;
}

} // namespace

QImage BitmapFromHex(QStringView text)
{
    const QByteArray bytes = HexToBytes(text);
    if (bytes.size() < kLengthFieldSize)
        RaiseBadBitmap(QStringLiteral("%1 bytes, too short for the length field").arg(bytes.size()));
    const quint32 length = qFromLittleEndian<quint32>(bytes.constData());
    const qsizetype available = bytes.size() - kLengthFieldSize;
    if (length > quint64(available))
        RaiseBadBitmap(
            QStringLiteral("the length field says %1 bytes, but %2 follow").arg(length).arg(available));
    const QByteArrayView bitmap = QByteArrayView(bytes).sliced(kLengthFieldSize, qsizetype(length));
    if (DetectPictureFormat(bitmap) != TPictureFormat::Bitmap)
        RaiseBadBitmap(QStringLiteral("the data is not a Windows bitmap"));
    try {
        return LoadPicture(bitmap);
    } catch (const EReportError& error) {
        RaiseBadBitmap(error.Message());
    }
}
