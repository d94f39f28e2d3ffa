// The preview of real purchase orders from the sample database, looked at pixel by pixel: text
// placement against the PDF, labels against their values at every zoom, the thumbnail panel on a
// long order.
#include "filters/RLPDFFilter.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Canvas.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewBox.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPreviewThumbnails.h"
#include "tests/app/SampleOrders.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

using enum TRLWindowState;

namespace {

constexpr int kInkLightness = 160;
constexpr int kAnyInkLightness = 240;

/// The bounding box of the dark pixels of `image` inside `area`; empty when there are none.
QRect InkBox(const QImage& image, const QRect& area, int lightness = kInkLightness)
{
    const QRect inside = area.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y).lightness() >= lightness)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

/// The darkness-weighted mean row of `area`: where a text line sits, whatever the glyphs'
/// accents and commas do to its ink box.
double InkRow(const QImage& image, const QRect& area)
{
    const QRect inside = area.intersected(image.rect());
    double weight = 0;
    double sum = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const int darkness = 255 - image.pixelColor(x, y).lightness();
            weight += darkness;
            sum += double(darkness) * y;
        }
    }
    return weight > 0 ? sum / weight : -1;
}

/// Page 1 of the store written as PDF and rasterised by poppler at 96 dots per inch.
QImage PdfPageImage(TRLGraphicStorage& pages, const QTemporaryDir& dir)
{
    TComponent owner(nullptr);
    auto* filter = new TRLPDFFilter(&owner);
    filter->FileName = dir.filePath(QStringLiteral("order.pdf"));
    filter->FilterPages(pages, 1, 1);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
            filter->FileName, dir.filePath(QStringLiteral("page")) });
    EXPECT_TRUE(pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0)
        << "pdftoppm (poppler-utils, scripts/install-deps.sh) did not rasterise the PDF: "
        << pdftoppm.readAllStandardError().toStdString();
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

/// The page as the viewer's first box draws it at the zoom, cut to the page area.
QImage ViewerPageImage(TRLGraphicStorage& pages, double zoom)
{
    TRLPreview viewer;
    viewer.resize(400, 300);
    viewer.SetPages(&pages);
    viewer.SetZoomFactor(zoom);
    TRLPreviewBox& box = viewer.Box(0);
    const QImage boxImage = box.grab().toImage();
    return boxImage.copy(
        1, 1, box.width() - TRLPreviewBox::kBorderSize, box.height() - TRLPreviewBox::kBorderSize);
}

std::vector<const TRLTextObject*> Texts(TRLGraphicSurface& page)
{
    std::vector<const TRLTextObject*> texts;
    for (int index = 0; index < page.ObjectCount(); ++index) {
        const auto* text = dynamic_cast<const TRLTextObject*>(page.Objects(index));
        if (text && !text->DisplayText().trimmed().isEmpty())
            texts.push_back(text);
    }
    return texts;
}

/// The ink of one text object alone, drawn as the viewer draws it at `scale`, in the page's
/// scaled coordinates.
QRect TextInkAt(const TRLTextObject& text, double scale)
{
    const QRect bounds = QRect(
        QPoint(RoundHalfEven(text.BoundsRect.Left * scale), RoundHalfEven(text.BoundsRect.Top * scale)),
        QPoint(RoundHalfEven(text.BoundsRect.Right * scale), RoundHalfEven(text.BoundsRect.Bottom * scale)));
    // Unclipped text may run past its bounds: look a bounds' width to each side.
    const QRect area = bounds.adjusted(-bounds.width() - 4, -4, bounds.width() + 4, 4);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.SmoothText = true;
        text.PaintTo(canvas, -area.left(), -area.top(), scale, scale);
    }
    // Any visible tint counts: small text is light grey.
    const QRect ink = InkBox(image, image.rect(), kAnyInkLightness);
    return ink.isEmpty() ? ink : ink.translated(area.topLeft());
}

QRect ToQRect(const TRect& rect)
{
    return QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1));
}

} // namespace

TEST(PreviewOrder, TextAt100PercentSitsWhereThePdfPutsIt)
{
    TPreparedOrder order(QStringLiteral("3"));
    ASSERT_GT(order.PageCount(), 0);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage pdf = PdfPageImage(order.Pages(), dir);
    ASSERT_FALSE(pdf.isNull());
    const QImage screen = ViewerPageImage(order.Pages(), 100);
    TRLGraphicSurface* page = order.Pages().Pages(0);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(screen.size(), QSize(page->Width, page->Height));

    int compared = 0;
    for (const TRLTextObject* text : Texts(*page)) {
        const QRect area = ToQRect(text->BoundsRect);
        const QRect onPdf = InkBox(pdf, area);
        const QRect onScreen = InkBox(screen, area);
        if (onPdf.isEmpty() || onScreen.isEmpty())
            continue;
        ++compared;
        const QString what = text->DisplayText();
        EXPECT_LE(std::abs(onScreen.left() - onPdf.left()), 1) << what.toStdString() << " left";
        EXPECT_LE(std::abs(onScreen.right() - onPdf.right()), 1) << what.toStdString() << " right";
        EXPECT_LE(std::abs(InkRow(screen, area) - InkRow(pdf, area)), 1.0) << what.toStdString() << " row";
    }
    EXPECT_GT(compared, 50);
}

TEST(PreviewOrder, NoLabelTouchesItsValueAtAnyZoom)
{
    TPreparedOrder order(QStringLiteral("3"));
    ASSERT_GT(order.PageCount(), 0);
    TRLGraphicSurface* page = order.Pages().Pages(0);
    ASSERT_NE(page, nullptr);
    // Each text with the nearest text right of it on the same line: labels and their values.
    const std::vector<const TRLTextObject*> texts = Texts(*page);
    std::vector<std::pair<const TRLTextObject*, const TRLTextObject*>> pairs;
    for (const TRLTextObject* left : texts) {
        const TRLTextObject* nearest = nullptr;
        for (const TRLTextObject* right : texts) {
            const TRect& a = left->BoundsRect;
            const TRect& b = right->BoundsRect;
            const int overlap = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
            if (right == left || overlap * 2 < std::min(a.Height(), b.Height()) || b.Left < a.Right)
                continue;
            if (!nearest || b.Left < nearest->BoundsRect.Left)
                nearest = right;
        }
        if (nearest)
            pairs.emplace_back(left, nearest);
    }
    ASSERT_GT(pairs.size(), 20u);
    const double zooms[]
        = { 10, 15, 25, 33, 50, 66, 70, 75, 84, 90, 100, 110, 120, 125, 150, 175, 200, 250, 300, 400 };
    int checked = 0;
    for (const auto& [label, value] : pairs) {
        const int gapAt100 = TextInkAt(*value, 1.0).left() - TextInkAt(*label, 1.0).right() - 1;
        if (gapAt100 < 2)
            continue;
        for (const double zoom : zooms) {
            const double scale = zoom / 100;
            // Below two pixels of designed gap the screen has no column to keep free.
            if (gapAt100 * scale < 2)
                continue;
            const QRect labelInk = TextInkAt(*label, scale);
            const QRect valueInk = TextInkAt(*value, scale);
            ASSERT_FALSE(labelInk.isEmpty() || valueInk.isEmpty())
                << label->DisplayText().toStdString() << " | " << value->DisplayText().toStdString() << " at "
                << zoom << " % drew nothing";
            ++checked;
            // The designed gap scales with the page, give or take the two texts' pixel rounding.
            const int wanted = std::max(1, int(std::floor(gapAt100 * scale)) - 2);
            EXPECT_GE(valueInk.left() - labelInk.right() - 1, wanted)
                << label->DisplayText().toStdString() << " | " << value->DisplayText().toStdString() << " at "
                << zoom << " %";
        }
    }
    EXPECT_GT(checked, 200);
}

TEST(PreviewOrder, ThumbnailsOfALongOrderAreDrawnLazilyAndFollowThePage)
{
    TPreparedOrder order(QStringLiteral("7"));
    ASSERT_GT(order.PageCount(), 200);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    QPointer<TRLPreviewForm> form = PreviewPages(order.Pages(), false, options);
    form->resize(1200, 900);
    QApplication::processEvents();
    TRLPreviewThumbnails& thumbnails = *form->Thumbnails;
    EXPECT_FALSE(thumbnails.isVisible()) << "hidden until asked for";
    QTest::mouseClick(form->SpeedButtonThumbnails, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(thumbnails.isVisible());
    EXPECT_GT(thumbnails.DrawnCount(), 0);
    // Responsiveness is laziness: showing the panel draws only what is in view, not 209 pages.
    EXPECT_LT(thumbnails.DrawnCount(), 20) << "only the thumbnails in view are drawn";
    EXPECT_EQ(thumbnails.CurrentPage(), 0);
    // The current page is highlighted wherever the viewer goes, and shown in the panel.
    TRLPreview& viewer = form->ActiveViewer();
    viewer.LastPage();
    QApplication::processEvents();
    EXPECT_EQ(thumbnails.CurrentPage(), order.PageCount() - 1);
    EXPECT_TRUE(thumbnails.viewport()->rect().intersects(thumbnails.visualRect(thumbnails.currentIndex())));
    EXPECT_LT(thumbnails.DrawnCount(), 40);
    // A click on a thumbnail goes to its page.
    const QModelIndex third = thumbnails.model()->index(2, 0);
    thumbnails.scrollTo(third);
    QApplication::processEvents();
    QTest::mouseClick(thumbnails.viewport(), Qt::LeftButton, {}, thumbnails.visualRect(third).center());
    EXPECT_EQ(viewer.PageIndex(), 2);
    EXPECT_EQ(thumbnails.CurrentPage(), 2);
    EXPECT_EQ(form->EditPageNo->text(), QStringLiteral("3"));
    QTest::mouseClick(form->SpeedButtonThumbnails, Qt::LeftButton);
    EXPECT_FALSE(thumbnails.isVisible());
    delete form.data();
}

TEST(PreviewOrder, HighDensityScreensGetPagesAtFullResolution)
{
    TPreparedOrder order(QStringLiteral("3"));
    TRLPreview viewer;
    viewer.resize(900, 700);
    viewer.SetPages(&order.Pages());
    viewer.SetZoomFactor(100);
    TRLPreviewBox& box = viewer.Box(0);
    QImage dense(box.size() * 2, QImage::Format_RGB32);
    dense.setDevicePixelRatio(2);
    dense.fill(Qt::white);
    box.render(&dense);
    // At density 2 a text stroke is drawn in device pixels: many 2 x 2 blocks are not of one
    // colour, which a page drawn at density 1 and magnified never has.
    int detailed = 0;
    for (int y = 0; y + 1 < dense.height(); y += 2) {
        for (int x = 0; x + 1 < dense.width(); x += 2) {
            const QRgb pixel = dense.pixel(x, y);
            if (dense.pixel(x + 1, y) != pixel || dense.pixel(x, y + 1) != pixel
                || dense.pixel(x + 1, y + 1) != pixel)
                ++detailed;
        }
    }
    EXPECT_GT(detailed, 5000);
}
