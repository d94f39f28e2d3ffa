// The preview of real purchase orders from the sample database, looked at pixel by pixel: text
// placement against the PDF, labels against their values at every zoom, the thumbnail panel on a
// long order.
#include "filters/RLPDFFilter.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewBox.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPreviewThumbnails.h"
#include "tests/app/SampleOrders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int kInkLightness = 160;

/// The bounding box of the dark pixels of `image` inside `area`; empty when there are none.
QRect InkBox(const QImage& image, const QRect& area)
{
    const QRect inside = area.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y).lightness() >= kInkLightness)
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
    if (qEnvironmentVariableIsSet("H21_DUMP")) {
        pdf.save(QStringLiteral("/tmp/h21/pdf.png"));
        screen.save(QStringLiteral("/tmp/h21/screen.png"));
    }
    int compared = 0;
    for (const TRLTextObject* text : Texts(*page)) {
        const QRect area = ToQRect(text->BoundsRect);
        const QRect onPdf = InkBox(pdf, area);
        const QRect onScreen = InkBox(screen, area);
        if (onPdf.isEmpty() || onScreen.isEmpty())
            continue;
        ++compared;
        const QString what = text->DisplayText();
        if (qEnvironmentVariableIsSet("H21_DUMP"))
            printf("%-30s size %d h %d style %d name %s pdf %d,%d %dx%d screen %d,%d %dx%d\n",
                qPrintable(what.left(30)), text->Font.Size, text->Font.Height, text->Font.Style,
                qPrintable(text->Font.Name()), onPdf.left(), onPdf.top(), onPdf.width(), onPdf.height(),
                onScreen.left(), onScreen.top(), onScreen.width(), onScreen.height());
        EXPECT_LE(std::abs(onScreen.left() - onPdf.left()), 1) << what.toStdString() << " left";
        EXPECT_LE(std::abs(onScreen.right() - onPdf.right()), 1) << what.toStdString() << " right";
        EXPECT_LE(std::abs(InkRow(screen, area) - InkRow(pdf, area)), 1.0) << what.toStdString() << " row";
    }
    EXPECT_GT(compared, 50);
}
