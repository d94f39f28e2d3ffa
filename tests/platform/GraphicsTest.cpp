#include "platform/Graphics.h"
#include "platform/Exceptions.h"
#include "platform/Measure.h"
#include "platform/Picture.h"
#include "tests/common/TestHelpers.h"

#include <QFontInfo>
#include <QImage>
#include <QLocale>
#include <QtEndian>
#include <gtest/gtest.h>
#include <limits>

TEST(Graphics, FontSizeAndHeight)
{
    struct Case {
        int height;
        int size;
    };
    const Case cases[] = { { -13, 10 }, { -11, 8 }, { -16, 12 }, { -9, 7 }, { -12, 9 } };
    for (const Case& c : cases) {
        TFont font;
        font.Height = c.height;
        EXPECT_EQ(font.Size(), c.size) << "height " << c.height;
        font.SetSize(c.size);
        EXPECT_EQ(font.Height, c.height) << "size " << c.size;
    }
    // The ends of the range, as a page file may give them.
    TFont font;
    font.Height = std::numeric_limits<int>::min();
    EXPECT_EQ(font.Size(), 1610612736);
    font.Height = std::numeric_limits<int>::max();
    EXPECT_EQ(font.Size(), -1610612735);
    font.SetSize(std::numeric_limits<int>::max());
    EXPECT_EQ(font.Height, -std::numeric_limits<int>::max());
    font.SetSize(std::numeric_limits<int>::min());
    EXPECT_EQ(font.Height, std::numeric_limits<int>::max());
}

TEST(Graphics, ColoursKeepRedInTheLowByte)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), clBlue);
    // System colours resolve to a real RGB value, never to the flag bits.
    EXPECT_EQ(ColorToRGB(clBtnFace) & ~0xFFFFFF, 0);
}

TEST(Graphics, PenWidthIsHeldToWhatQtDraws)
{
    struct Case {
        int width;
        int drawn;
    };
    // Qt ignores a width from 32768 on and keeps the pen's previous one (1).
    const Case cases[]
        = { { 0, 0 }, { 3, 3 }, { -5, 0 }, { 40000, 32767 }, { std::numeric_limits<int>::max(), 32767 } };
    for (const Case& c : cases)
        EXPECT_EQ(ToQPen(TPen { clBlack, c.width, psSolid, pmCopy }).width(), c.drawn) << c.width;
}

TEST(Graphics, NegativeHeightIsTheFontsPixelSize)
{
    TFont font;
    font.Name = u"Arial"_qs;
    font.Height = -13;
    EXPECT_EQ(ToQFont(font).pixelSize(), 13);
    const QFontMetrics metrics = MeasuringMetrics(font);
    // Liberation Sans stands in for Arial: ascent + descent of a 13-pixel em is about 15.
    EXPECT_GE(metrics.height(), 14);
    EXPECT_LE(metrics.height(), 16);
}

TEST(Graphics, MeasureTextGrowsWithTheText)
{
    TFont font;
    font.Name = u"Arial"_qs;
    font.Height = -13;
    const QSize one = MeasureText(u"M", font);
    const QSize two = MeasureText(u"MM", font);
    EXPECT_EQ(two.width(), 2 * one.width());
    EXPECT_EQ(one.height(), two.height());
    EXPECT_EQ(MeasureText(u"", font).width(), 0);
    const int regular = MeasureText(u"rrrr", font).width();
    font.Style = fsBold;
    EXPECT_GT(MeasureText(u"rrrr", font).width(), regular) << "bold must be measured with the bold face";
}

TEST(Graphics, RememberedMeasuresMatchFreshOnes)
{
    // More fonts than are kept and more texts than a font keeps, so that evicted entries are
    // measured again; each answer must equal what fresh metrics of that very font give.
    std::vector<TFont> fonts;
    for (const QString& name : { u"Arial"_qs, u"Verdana"_qs, u"Courier New"_qs }) {
        for (const int height : { -9, -11, -13, -16, 14 }) {
            for (const TFontStyles style : { TFontStyles(), TFontStyles(fsBold), TFontStyles(fsItalic) }) {
                TFont font;
                font.Name = name;
                font.Height = height;
                font.Style = style;
                fonts.push_back(font);
            }
        }
    }
    const QStringList texts { u"Mangueira hidráulica nº 6"_qs, u"3.037,05"_qs, u"iiii"_qs, u"WWWW"_qs };
    for (int round = 0; round < 2; ++round) {
        for (const TFont& font : fonts) {
            const QFontMetrics expected = MeasuringMetrics(font);
            for (const QString& text : texts) {
                EXPECT_EQ(TextWidth(text, font), expected.horizontalAdvance(text))
                    << font.Name.toStdString() << " " << font.Height << " " << text.toStdString();
                EXPECT_EQ(TextHeight(text, font), expected.height()) << font.Name.toStdString();
            }
        }
    }
    // Formatted numbers are summed from their characters' advances instead of shaped: the sum
    // must round to what shaping gives, in every face and size a report uses.
    for (const TFont& font : fonts) {
        const QFontMetrics expected = MeasuringMetrics(font);
        for (int i = 0; i < 4000; i += 13) {
            const double value = i * 1234.567;
            for (const QString& text :
                { QString::number(i), QLocale(QLocale::Portuguese, QLocale::Brazil).toString(value, 'f', 2),
                    QLocale(QLocale::Portuguese, QLocale::Brazil).toString(-value / 7, 'f', 3) + u' ',
                    u"%1/11/2026"_qs.arg(i % 28 + 1) }) {
                ASSERT_EQ(TextWidth(text, font), expected.horizontalAdvance(text))
                    << font.Name.toStdString() << " " << font.Height << " \"" << text.toStdString() << '"';
            }
        }
    }
    TFont font;
    font.Name = u"Arial"_qs;
    font.Height = -11;
    const QFontMetrics expected = MeasuringMetrics(font);
    for (int i = 0; i < 10000; i += 7)
        ASSERT_EQ(TextWidth(QString::number(i), font), expected.horizontalAdvance(QString::number(i))) << i;
    for (int i = 0; i < 10000; i += 997)
        EXPECT_EQ(TextWidth(QString::number(i), font), expected.horizontalAdvance(QString::number(i))) << i;
}

TEST(Picture, BitmapRoundTripKeepsPixels)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(1, 0, QColor(255, 0, 0));
    const QByteArray bytes = SaveBitmap(image);
    ASSERT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(DetectPictureFormat(bytes), TPictureFormat::Bitmap);
    const QImage back = LoadPicture(bytes);
    EXPECT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixelColor(1, 0), QColor(255, 0, 0));
    EXPECT_EQ(back.pixelColor(0, 1), QColor(255, 255, 255));
}

TEST(Picture, BitmapKeepsTransparency)
{
    // A logo on a transparent ground: the ground must stay see-through, and a reader that ignores
    // alpha must find paper white there, not black.
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 0, qRgba(200, 10, 20, 255));
    image.setPixel(2, 2, qRgba(0, 0, 255, 128));
    const QByteArray bytes = SaveBitmap(image);
    ASSERT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 32);
    const quint32 pixelsAt = qFromLittleEndian<quint32>(bytes.constData() + 10);
    // Bottom-up rows: the first stored pixel is (0, 2), fully transparent.
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + pixelsAt), 0x00FFFFFFu);
    const QImage back = LoadPicture(bytes).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), QSize(4, 3));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(1, 0), qRgba(200, 10, 20, 255));
    EXPECT_EQ(back.pixel(2, 2), qRgba(0, 0, 255, 128));
    // An opaque picture keeps the plain 24-bit form.
    image.fill(Qt::white);
    EXPECT_EQ(qFromLittleEndian<quint16>(SaveBitmap(image).constData() + 28), 24);
}

TEST(Picture, IconRoundTrip)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor(0, 128, 0));
    const QByteArray bytes = SaveIcon(image);
    EXPECT_EQ(DetectPictureFormat(bytes), TPictureFormat::Icon);
    EXPECT_EQ(LoadPicture(bytes).pixelColor(5, 5), QColor(0, 128, 0));
}

TEST(Picture, GarbageIsAClearError)
{
    EXPECT_EQ(ErrorOf([] { LoadPicture("hello"); }), u"Unknown picture format"_qs);
    EXPECT_TRUE(ErrorOf([] { LoadPicture(QByteArray("BM\0\0\0\0", 6)); }).startsWith(u"Invalid bmp picture"));
    // Refused by the header's size, before 800 MB of pixels are allocated.
    EXPECT_EQ(ErrorOf([] { LoadPicture(DamagedPictureData()[1].sliced(3)); }),
        u"The picture declares 20000 x 10000 pixels, more than the 33 million a picture may have"_qs);
}
