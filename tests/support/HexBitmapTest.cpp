#include "support/HexBitmap.h"
#include "platform/Picture.h"
#include "tests/common/TestHelpers.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage SampleImage()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 100, 0));
    return image;
}

/// The stored form: little-endian length, then the bitmap file; hex made by Qt's own encoder.
QString StoredHex(const QByteArray& bitmap, qint64 lengthField)
{
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(lengthField), stored.data());
    stored += bitmap;
    return QString::fromLatin1(stored.toHex().toUpper());
}

} // namespace

TEST(HexBitmap, ReadsTheStoredBitmap)
{
    const QByteArray bitmap = SaveBitmap(SampleImage());
    struct Case {
        QString text;
        const char* what;
    };
    const QString hex = StoredHex(bitmap, bitmap.size());
    const Case cases[] = {
        { hex, "upper case" },
        { hex.toLower(), "lower case" },
        { hex + u'F', "trailing odd digit ignored" },
        { StoredHex(bitmap + QByteArray("extra"), bitmap.size()), "bytes after the bitmap ignored" },
    };
    for (const Case& c : cases) {
        const QImage image = BitmapFromHex(c.text);
        ASSERT_EQ(image.size(), QSize(3, 2)) << c.what;
        EXPECT_EQ(image.pixel(0, 0), qRgb(10, 20, 30)) << c.what;
        EXPECT_EQ(image.pixel(2, 1), qRgb(200, 100, 0)) << c.what;
    }
}

TEST(HexBitmap, MalformedDataIsNamed)
{
    const QByteArray bitmap = SaveBitmap(SampleImage());
    QString badDigit = StoredHex(bitmap, bitmap.size());
    badDigit[9] = u'G';
    struct Case {
        QString text;
        QString message;
    };
    const Case cases[] = {
        { badDigit,
            u"Invalid hexadecimal bitmap: character \"G\" at position 10 is not a hexadecimal digit"_qs },
        { u"0102"_qs, u"Invalid hexadecimal bitmap: 2 bytes, too short for the length field"_qs },
        { StoredHex(bitmap, bitmap.size() + 1),
            u"Invalid hexadecimal bitmap: the length field says %1 bytes, but %2 follow"_qs
                .arg(bitmap.size() + 1)
                .arg(bitmap.size()) },
        { StoredHex(bitmap, 0xFFFFFFFF),
            u"Invalid hexadecimal bitmap: the length field says 4294967295 bytes, but %1 follow"_qs.arg(
                bitmap.size()) },
        { StoredHex(QByteArray("\x89PNG\r\n\x1a\n", 8), 8),
            u"Invalid hexadecimal bitmap: the data is not a Windows bitmap"_qs },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { BitmapFromHex(c.text); }), c.message);
    // A bitmap header with its pixels cut off.
    const QString truncated = StoredHex(bitmap.left(20), 20);
    EXPECT_TRUE(ErrorOf([&] { BitmapFromHex(truncated); }).startsWith(u"Invalid hexadecimal bitmap: "_qs));
}
