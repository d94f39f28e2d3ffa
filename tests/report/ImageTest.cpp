#include "ControlTestSupport.h"
#include "tests/common/TestHelpers.h"

#include "pages/RLPictureData.h"
#include "platform/Picture.h"
#include "report/RLBorders.h"
#include "report/RLDBImage.h"

#include <QtEndian>
#include <gtest/gtest.h>

using enum TRLBorderSides;

using namespace Qt::StringLiterals;

namespace {

/// 40 x 20: four 10-pixel columns red, green, blue, black in the top half; white below.
QImage TestPicture()
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRgb columns[] = { qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0) };
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            picture.setPixel(x, y, columns[x / 10]);
    return picture;
}

/// The 8-byte header of a stored graphic: count 1, kind 0x0100, length of the rest.
QByteArray GraphicField(const QByteArray& file)
{
    QByteArray header(8, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(0x0100, header.data() + 2);
    qToLittleEndian<quint32>(quint32(file.size()), header.data() + 4);
    return header + file;
}

struct ImageReport : ControlReport {
    ImageReport() { band = AddTitleBand(200); }
    TRLImage* AddImage(int width, int height)
    {
        auto* image = new TRLImage(&form);
        image->SetParent(band);
        image->SetBounds(10, 20, width, height);
        image->SetPicture(TestPicture());
        return image;
    }
    std::vector<const TRLImageObject*> Images() { return PageObjects<TRLImageObject>(*report->Pages(), 0); }
    TRLBand* band = nullptr;
};

/// A report whose dataset has a graphic field LOGO holding `bytes` (null for a null value).
struct LogoReport : ControlReport {
    explicit LogoReport(const QVariant& bytes)
    {
        data->Close();
        data->ClearRecords();
        data->AddField(u"LOGO"_s, TFieldType::ftGraphic);
        data->AppendRecord({ 1, u"x"_s, bytes });
        data->Open();
        image = new TRLDBImage(&form);
        image->SetName(u"RLDBImage1"_s);
        image->SetParent(AddDetailBand(120));
        image->SetBounds(4, 3, 119, 93);
        image->SetDataSource(source);
        image->SetDataField(u"LOGO"_s);
    }
    std::vector<const TRLImageObject*> Images() { return PageObjects<TRLImageObject>(*report->Pages(), 0); }
    TRLDBImage* image = nullptr;
};

} // namespace

TEST(Image, ArrangementsPlaceThePicture)
{
    struct Case {
        bool stretch;
        bool scaled;
        bool center;
        int width;
        int height;
        QString bounds;
        QRgb topLeft;
        const char* what;
    };
    // The control is at (48, 58) on the page.
    const Case cases[] = {
        { true, false, false, 100, 100, u"48,58,148,158"_s, qRgb(255, 0, 0), "stretched over the control" },
        { false, true, false, 100, 100, u"48,58,148,108"_s, qRgb(255, 0, 0), "scaled 40x20 into 100x100" },
        { false, true, true, 100, 100, u"48,83,148,133"_s, qRgb(255, 0, 0), "scaled and centred" },
        { false, false, false, 20, 10, u"48,58,68,68"_s, qRgb(255, 0, 0), "natural size, top-left part" },
        { false, false, true, 20, 10, u"48,58,68,68"_s, qRgb(0, 255, 0), "natural size, middle part" },
        { false, false, false, 100, 100, u"48,58,88,78"_s, qRgb(255, 0, 0), "smaller picture at the corner" },
        { false, false, true, 100, 100, u"78,98,118,118"_s, qRgb(255, 0, 0), "smaller picture centred" },
    };
    for (const Case& c : cases) {
        ImageReport r;
        TRLImage* image = r.AddImage(c.width, c.height);
        image->SetStretch(c.stretch);
        image->SetScaled(c.scaled);
        image->Center = c.center;
        ASSERT_TRUE(r.Prepare()) << c.what;
        const auto images = r.Images();
        ASSERT_EQ(images.size(), 1u) << c.what;
        EXPECT_EQ(RectText(images[0]->BoundsRect), c.bounds) << c.what;
        const QImage drawn = DecodePictureData(images[0]->Data);
        ASSERT_FALSE(drawn.isNull()) << c.what;
        EXPECT_EQ(drawn.pixel(0, 0) & 0xFFFFFF, c.topLeft & 0xFFFFFF) << c.what;
    }
}

// An icon drawn whole keeps its own file on the page; the visible part of a clipped one is a new
// bitmap, as is every other kind of picture.
TEST(Image, IconPicturesAreStoredAsIcons)
{
    const QByteArray icon = SaveIcon(TestPicture());
    struct Case {
        bool stretch;
        bool scaled;
        QByteArray file;
        QString bounds;
        QByteArray tag;
        const char* what;
    };
    const Case cases[] = {
        { true, false, icon, u"48,58,148,158"_s, "ICO", "stretched icon" },
        { false, true, icon, u"48,58,148,108"_s, "ICO", "scaled icon" },
        { false, false, icon, u"48,58,88,78"_s, "BMP", "icon at natural size, cut to the control" },
        { true, false, SaveBitmap(TestPicture()), u"48,58,148,158"_s, "BMP", "stretched bitmap" },
    };
    for (const Case& c : cases) {
        ImageReport r;
        TRLImage* image = r.AddImage(100, 100);
        image->LoadPictureFile(c.file);
        EXPECT_EQ(image->Picture().size(), QSize(40, 20)) << c.what;
        image->SetStretch(c.stretch);
        image->SetScaled(c.scaled);
        ASSERT_TRUE(r.Prepare()) << c.what;
        const auto images = r.Images();
        ASSERT_EQ(images.size(), 1u) << c.what;
        EXPECT_EQ(RectText(images[0]->BoundsRect), c.bounds) << c.what;
        EXPECT_EQ(images[0]->Data.left(3).toStdString(), c.tag.toStdString()) << c.what;
        if (c.tag == "ICO") {
            EXPECT_TRUE(images[0]->Data.mid(3) == c.file) << c.what;
        }
        const QImage drawn = DecodePictureData(images[0]->Data);
        ASSERT_FALSE(drawn.isNull()) << c.what;
        EXPECT_EQ(drawn.pixel(0, 0) & 0xFFFFFF, 0xFF0000u) << c.what;
    }
    ImageReport r;
    TRLImage* image = r.AddImage(100, 100);
    image->LoadPictureFile(icon);
    image->SetPicture(TestPicture());
    EXPECT_TRUE(image->IconFile().isEmpty()) << "a new picture is no icon";
    EXPECT_FALSE(ErrorOf([&] { image->LoadPictureFile("not a picture"); }).isEmpty());
}

TEST(Image, StretchAndScaledExcludeEachOther)
{
    ImageReport r;
    TRLImage* image = r.AddImage(50, 50);
    image->SetScaled(true);
    image->SetStretch(true);
    EXPECT_TRUE(image->Stretch());
    EXPECT_FALSE(image->Scaled());
    image->SetScaled(true);
    EXPECT_FALSE(image->Stretch());
}

TEST(Image, AutoSizeTakesThePictureSizeAndBorderAllowance)
{
    ImageReport r;
    TRLImage* image = r.AddImage(105, 105);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 40);
    EXPECT_EQ(image->Height(), 20);
    image->Borders()->SetSides(sdAll);
    EXPECT_EQ(image->Width(), 44) << "1-pixel borders add 2 per side";
    EXPECT_EQ(image->Height(), 24);
    QImage square(30, 30, QImage::Format_RGB32);
    square.fill(Qt::black);
    image->SetPicture(square);
    EXPECT_EQ(image->Width(), 30) << "a new picture resizes at once";
}

TEST(Image, BordersFrameTheClippedPicture)
{
    ImageReport r;
    TRLImage* image = r.AddImage(100, 100);
    image->Borders()->SetSides(sdAll);
    image->Borders()->SetWidth(5);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(PageObjects<TRLRectangleObject>(*r.report->Pages(), 0).size(), 4u);
    ASSERT_EQ(r.Images().size(), 1u);
    EXPECT_EQ(RectText(r.Images()[0]->BoundsRect), u"53,63,93,83"_s);
}

TEST(DBImage, GraphicFieldWithOrWithoutHeader)
{
    const QByteArray bitmap = SaveBitmap(TestPicture());
    const QByteArray icon = SaveIcon(TestPicture());
    struct Case {
        QByteArray stored;
        QByteArray data;
        const char* what;
    };
    const Case cases[] = {
        { GraphicField(bitmap), "BMP" + bitmap, "bitmap with header" },
        { bitmap, "BMP" + bitmap, "bitmap without header" },
        { GraphicField(icon), "ICO" + icon, "icon with header, kept as an icon" },
        { icon, "ICO" + icon, "icon without header" },
    };
    for (const Case& c : cases) {
        LogoReport r(c.stored);
        r.image->SetStretch(true);
        ASSERT_TRUE(r.Prepare()) << r.errors.join(u"; "_s).toStdString();
        const auto images = r.Images();
        ASSERT_EQ(images.size(), 1u) << c.what;
        EXPECT_EQ(RectText(images[0]->BoundsRect), u"42,41,161,134"_s) << c.what;
        EXPECT_EQ(images[0]->Data.left(3).toStdString(), c.data.left(3).toStdString()) << c.what;
        EXPECT_TRUE(images[0]->Data == c.data) << c.what;
        const QImage drawn = DecodePictureData(images[0]->Data);
        EXPECT_EQ(drawn.size(), QSize(40, 20)) << c.what;
        EXPECT_EQ(drawn.pixel(15, 5) & 0xFFFFFF, 0x00FF00u) << c.what;
    }
}

TEST(DBImage, HeaderWithAWrongLengthIsNotSkipped)
{
    QByteArray stored = GraphicField(SaveBitmap(TestPicture()));
    qToLittleEndian<quint32>(quint32(stored.size()), stored.data() + 4);
    LogoReport r(stored);
    EXPECT_FALSE(r.Prepare()) << "the bytes from the first one are no picture";
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].contains(u"\"LOGO\""_s)) << r.errors[0].toStdString();
}

TEST(DBImage, EmptyNullOrExhaustedDrawsNothing)
{
    {
        LogoReport r { QVariant() };
        r.image->Borders()->SetSides(sdAll);
        ASSERT_TRUE(r.Prepare());
        EXPECT_TRUE(r.Images().empty());
        EXPECT_EQ(PageObjects<TRLRectangleObject>(*r.report->Pages(), 0).size(), 4u)
            << "the borders still print";
    }
    {
        LogoReport r { QByteArray() };
        ASSERT_TRUE(r.Prepare());
        EXPECT_TRUE(r.Images().empty());
    }
}

TEST(DBImage, NotAPictureAndMissingFieldAreNamed)
{
    {
        LogoReport r { QByteArray("GIF89a not really") };
        EXPECT_FALSE(r.Prepare());
        ASSERT_EQ(r.errors.size(), 1);
        EXPECT_TRUE(r.errors[0].contains(u"Data: field \"LOGO\" holds no picture"_s))
            << r.errors[0].toStdString();
    }
    {
        LogoReport r { QVariant() };
        r.image->SetDataField(u"FOTO"_s);
        EXPECT_EQ(
            ErrorOf([&] { r.image->LoadPicture(); }), u"Não encontrado: RLDBImage1.DataField \"FOTO\""_s);
        EXPECT_FALSE(r.Prepare());
    }
}

TEST(DBImage, DestroyedDataSourceEmptiesThePicture)
{
    LogoReport r { GraphicField(SaveBitmap(TestPicture())) };
    EXPECT_FALSE(r.image->Picture().isNull()) << "setting the field loads the current record's picture";
    delete r.source;
    r.source = nullptr;
    EXPECT_EQ(r.image->DataSource(), nullptr);
    EXPECT_TRUE(r.image->Picture().isNull());
}
