#include "pages/RLGraphicSurface.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewBox.h"
#include "tests/common/TestHelpers.h"
#include "tests/preview/PreviewTestPages.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

/// A viewer of the given size showing `pages`, laid out as on screen.
std::unique_ptr<TRLPreview> ShowViewer(TRLGraphicStorage* pages, QSize size)
{
    auto viewer = std::make_unique<TRLPreview>();
    viewer->resize(size);
    viewer->show();
    viewer->SetPages(pages);
    QApplication::processEvents();
    return viewer;
}

QColor PixelOf(QWidget& widget, QPoint at)
{
    return widget.grab().toImage().pixelColor(at);
}

const QColor kShadowGray(128, 128, 128);
const QColor kSilver(192, 192, 192);

} // namespace

TEST(PreviewViewer, ZoomPresetsFollowTheViewerSize)
{
    const auto pages = MakeNumberedPages(3);
    struct Case {
        QSize size;
        int pageWidth;
        int fullPage;
        int multiple;
    };
    // Page width: round((W - 9) * 100 / 794), or, when the page is then taller than the viewer,
    // the width beside the vertical scroll bar; round((H - 9) * 100 / 1123); three pages, each 9
    // pixels of frame and shadow larger, fit the width: floor((W / 3 - 9) * 100 / 794).
    const Case cases[] = {
        { { 807, 600 }, 98, 53, 32 },
        { { 1200, 1130 }, 148, 100, 49 },
        { { 400, 2000 }, 49, 49, 15 },
    };
    for (const Case& c : cases) {
        const auto viewer = ShowViewer(pages->Storage, c.size);
        EXPECT_EQ(viewer->PageWidthZoom(), c.pageWidth) << c.size.width() << " x " << c.size.height();
        EXPECT_EQ(viewer->FullPageZoom(), c.fullPage) << c.size.width() << " x " << c.size.height();
        EXPECT_EQ(viewer->MultiplePagesZoom(), c.multiple) << c.size.width() << " x " << c.size.height();
        viewer->ZoomPageWidth();
        QApplication::processEvents();
        EXPECT_FALSE(viewer->horizontalScrollBar()->isVisible()) << "page width, " << c.size.width();
    }
}

TEST(PreviewViewer, WithoutStoreEverythingIsANoOp)
{
    TRLPreview viewer;
    viewer.resize(500, 500);
    EXPECT_EQ(viewer.FullPageZoom(), 100);
    EXPECT_EQ(viewer.PageWidthZoom(), 100);
    EXPECT_EQ(viewer.MultiplePagesZoom(), 100);
    EXPECT_FALSE(viewer.FindText(QStringLiteral("Page"), false, false));
    viewer.NextPage();
    viewer.LastPage();
    EXPECT_EQ(viewer.PageIndex(), -1);
    EXPECT_EQ(viewer.CurrentPageNumber(), 0);
}

TEST(PreviewViewer, ZoomBelowTenIsIgnoredAndHasNoUpperLimit)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 600, 600 });
    const struct {
        double request;
        double expected;
    } cases[] = { { 9.99, 100 }, { 10, 10 }, { 5, 10 }, { 2500, 2500 }, { 33.5, 33.5 } };
    for (const auto& c : cases) {
        viewer->SetZoomFactor(c.request);
        EXPECT_EQ(viewer->ZoomFactor(), c.expected) << "request " << c.request;
    }
}

TEST(PreviewViewer, BoxesAtFullSizeAreCentredWithBorder)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 1000, 1200 });
    const TRLPreviewBox& box = viewer->Box(0);
    // A4 portrait at 100 %: the page, a one-pixel frame round it and the 7-pixel shadow.
    EXPECT_EQ(box.size(), QSize(803, 1132));
    EXPECT_EQ(box.pos(), QPoint((1000 - 803) / 2, (1200 - 1132) / 2));
    EXPECT_FALSE(viewer->Box(1).isVisible());
}

TEST(PreviewViewer, MultipleModeShowsOnlyPagesThatExistAndFitsTheWindow)
{
    struct Case {
        int pages;
        int shown;
    };
    for (const Case c : { Case { 1, 1 }, Case { 2, 2 }, Case { 5, 3 } }) {
        const auto pages = MakeNumberedPages(c.pages);
        const auto viewer = ShowViewer(pages->Storage, { 1200, 500 });
        viewer->ZoomMultiplePages();
        ASSERT_TRUE(viewer->MultipleMode());
        EXPECT_EQ(viewer->ShownCount(), c.shown) << c.pages << " pages";
        const int zoom = int(viewer->ZoomFactor());
        for (int position = 0; position < TRLPreview::kMultipleCount; ++position) {
            TRLPreviewBox& box = viewer->Box(position);
            EXPECT_EQ(box.isVisible(), position < c.shown) << c.pages << " pages, box " << position;
            if (position >= c.shown)
                continue;
            EXPECT_NE(box.Page(), nullptr);
            EXPECT_EQ(box.width(), qRound(794 * zoom / 100.0) + TRLPreviewBox::kBorderSize);
            EXPECT_EQ(PixelOf(box, { box.width() / 2, box.height() / 4 }), QColor(Qt::white));
        }
        QApplication::processEvents();
        EXPECT_FALSE(viewer->horizontalScrollBar()->isVisible()) << c.pages << " pages";
        EXPECT_FALSE(viewer->verticalScrollBar()->isVisible()) << c.pages << " pages";
        // Paging on to the last group shows what is left of it, nothing more.
        viewer->LastPage();
        EXPECT_EQ(viewer->ShownCount(), c.shown);
    }
}

TEST(PreviewViewer, FrameShadowAndActiveColour)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 1000, 1200 });
    TRLPreviewBox& box = viewer->Box(0);
    const int w = box.width();
    const int h = box.height();
    EXPECT_EQ(PixelOf(box, { 0, h / 2 }), kSilver) << "inactive frame";
    EXPECT_EQ(PixelOf(box, { w - 7 - 1, h / 2 }), kSilver) << "inactive frame, right edge";
    EXPECT_EQ(PixelOf(box, { w - 4, h / 2 }), kShadowGray) << "right shadow";
    EXPECT_EQ(PixelOf(box, { w / 2, h - 4 }), kShadowGray) << "bottom shadow";
    EXPECT_NE(PixelOf(box, { w - 4, 2 }), kShadowGray) << "shadow starts 5 pixels down";
    viewer->SetActive(true);
    EXPECT_EQ(PixelOf(box, { 0, h / 2 }), QColor(Qt::black)) << "active frame";
}

TEST(PreviewViewer, NavigationWithFirstPageNumberFive)
{
    struct Case {
        const char* what;
        bool multiple;
        int startIndex;
        void (TRLPreview::*action)();
        int expectedIndex;
    };
    const Case cases[] = {
        { "next, single", false, 0, &TRLPreview::NextPage, 1 },
        { "next on the last page stays", false, 4, &TRLPreview::NextPage, 4 },
        { "prior, single", false, 3, &TRLPreview::PriorPage, 2 },
        { "prior on the first page stays", false, 0, &TRLPreview::PriorPage, 0 },
        { "first", false, 3, &TRLPreview::FirstPage, 0 },
        { "last, single", false, 0, &TRLPreview::LastPage, 4 },
        { "last, multiple shows 3, 4, 5", true, 0, &TRLPreview::LastPage, 2 },
        { "next, multiple moves three", true, 0, &TRLPreview::NextPage, 3 },
        { "next, multiple stops at the last", true, 3, &TRLPreview::NextPage, 4 },
        { "prior, multiple moves three", true, 4, &TRLPreview::PriorPage, 1 },
        { "prior, multiple stops at the first", true, 1, &TRLPreview::PriorPage, 0 },
    };
    const auto pages = MakeNumberedPages(5, 5);
    for (const Case& c : cases) {
        const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
        viewer->SetMultipleMode(c.multiple);
        viewer->GotoPageIndex(c.startIndex);
        (viewer.get()->*c.action)();
        EXPECT_EQ(viewer->PageIndex(), c.expectedIndex) << c.what;
        EXPECT_EQ(viewer->CurrentPageNumber(), 5 + c.expectedIndex) << c.what;
    }
}

TEST(PreviewViewer, GotoPageNumberCountsFromTheStoresFirstNumber)
{
    const auto pages = MakeNumberedPages(3, 5);
    const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
    const struct {
        int number;
        int index;
    } cases[] = { { 5, 0 }, { 7, 2 }, { 8, 2 }, { 4, 2 }, { 6, 1 }, { 1, 1 } };
    for (const auto& c : cases) {
        viewer->GotoPageNumber(c.number);
        EXPECT_EQ(viewer->PageIndex(), c.index) << "page number " << c.number;
    }
}

TEST(PreviewViewer, ChangeViewIsRaisedAfterEveryLayout)
{
    const auto pages = MakeNumberedPages(3);
    const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
    int raised = 0;
    viewer->OnChangeView = [&raised](TRLPreview&) { ++raised; };
    viewer->NextPage();
    viewer->SetZoomFactor(50);
    viewer->SetMultipleMode(true);
    viewer->resize(700, 500);
    EXPECT_EQ(raised, 4);
    viewer->SetZoomFactor(50);
    viewer->GotoPageIndex(1);
    EXPECT_EQ(raised, 4) << "nothing changed, no layout";
}

TEST(PreviewViewer, FindTextContinuesAcrossPages)
{
    const auto pages = MakePreviewPages({
        { QStringLiteral("Pedido"), QStringLiteral("Subtotal 10"), QStringLiteral("TOTAL 12") },
        { QStringLiteral("Nada aqui") },
        { QStringLiteral("Valor total 30") },
    });
    const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
    struct Step {
        const char* text;
        bool backward;
        bool matchCase;
        bool found;
        int page;
        int object;
    };
    const Step steps[] = {
        { "total", false, false, true, 0, 1 },
        { "total", false, false, true, 0, 2 },
        { "total", false, false, true, 2, 0 },
        { "total", false, false, false, 2, 0 },
        { "total", true, false, true, 0, 2 },
        // Walking other pages forgets the found page; the hit's index stays.
        { "Total", true, true, false, -1, 2 },
    };
    for (const Step& step : steps) {
        if (step.backward && step.matchCase)
            viewer->GotoPageIndex(2);
        const bool found = viewer->FindText(QString::fromUtf8(step.text), step.backward, step.matchCase);
        EXPECT_EQ(found, step.found) << step.text << (step.backward ? " backward" : " forward");
        EXPECT_EQ(viewer->FoundPage(), step.page) << "after " << step.text;
        EXPECT_EQ(viewer->FoundObject(), step.object) << "after " << step.text;
        EXPECT_TRUE(viewer->Found());
        if (found) {
            EXPECT_EQ(viewer->PageIndex(), step.page) << "the hit's page is shown";
        }
    }
}

TEST(PreviewViewer, FoundTextIsFramedInXor)
{
    const auto pages = MakePreviewPages({ { QStringLiteral("Alvo") } });
    const auto viewer = ShowViewer(pages->Storage, { 1000, 1200 });
    TRLPreviewBox& box = viewer->Box(0);
    // The frame runs 3 pixels outside the text's bounds (40, 60) at 100 %, 3 pixels wide.
    const QPoint onFrame(TextPosition(0).x() + 100, TextPosition(0).y() - 3);
    EXPECT_EQ(PixelOf(box, onFrame), QColor(Qt::white));
    ASSERT_TRUE(viewer->FindText(QStringLiteral("alvo"), false, false));
    EXPECT_EQ(PixelOf(box, onFrame), QColor(Qt::black)) << "white xor white";
}

TEST(PreviewViewer, EditingSelectsTheSmallestObjectUnderTheClick)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 1000, 1200 });
    TRLPreviewBox& box = viewer->Box(0);
    TRLGraphicSurface* page = box.Page();
    ASSERT_NE(page, nullptr);
    // Objects: 0 "Page 1", 1 "Total 1", 2 rectangle 400..700 x 600..800, 3 its caption, 4 footer.
    struct Case {
        QPoint pagePoint;
        int expected;
        const char* what;
    };
    const Case cases[] = {
        { { 500, 630 }, 3, "caption inside the rectangle wins by area" },
        { { 500, 700 }, 2, "rectangle alone" },
        { { 700, 800 }, 2, "bottom-right edge included" },
        { { 50, 65 }, 0, "first text" },
        { { 10, 10 }, -1, "nothing there" },
    };
    for (const Case& c : cases) {
        box.SelectAt(c.pagePoint);
        EXPECT_EQ(box.SelectedObject(), c.expected) << c.what;
    }
    EXPECT_FALSE(box.SelectAt({ 10, 10 })) << "the same selection is no change";
}

TEST(PreviewViewer, SelectionHandlesOnlyForGroupedObjects)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 1000, 1200 });
    viewer->SetEditing(true);
    TRLPreviewBox& box = viewer->Box(0);
    // Group 7 holds the rectangle and its caption: silver handles, two objects marked.
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(500, 700));
    EXPECT_EQ(box.SelectedObject(), 2);
    EXPECT_EQ(PixelOf(box, { 400, 600 }), kSilver) << "handle at the rectangle's corner";
    EXPECT_EQ(PixelOf(box, { 550, 800 }), kSilver) << "handle at the bottom midpoint of the rectangle";
    // A text of group 0 gets none.
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(50, 65));
    EXPECT_EQ(box.SelectedObject(), 0);
    // The page starts inside the box's one-pixel frame.
    EXPECT_EQ(PixelOf(box, { 401, 601 }), QColor(Qt::black)) << "rectangle outline only";
    viewer->SetEditing(false);
    EXPECT_EQ(box.SelectedObject(), -1);
}

TEST(PreviewViewer, DoubleClickSwitchesBetweenMultipleAndPageWidth)
{
    const auto pages = MakeNumberedPages(5);
    const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
    QTest::mouseDClick(&viewer->Box(0), Qt::LeftButton);
    EXPECT_TRUE(viewer->MultipleMode());
    EXPECT_EQ(viewer->ZoomFactor(), viewer->MultiplePagesZoom());
    QTest::mouseDClick(&viewer->Box(2), Qt::LeftButton);
    EXPECT_FALSE(viewer->MultipleMode());
    EXPECT_EQ(viewer->PageIndex(), 2) << "the double-clicked page";
    EXPECT_EQ(viewer->ZoomFactor(), viewer->PageWidthZoom());
}

TEST(PreviewViewer, CopyPagePutsThePageOnTheClipboard)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 900, 600 });
    QApplication::clipboard()->clear();
    viewer->CopyPage();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(kA4Width, kA4Height));
    // The rectangle's top-left corner at (400, 600) is drawn in the pen's black.
    EXPECT_EQ(copied.pixelColor(400, 600), QColor(Qt::black));
    EXPECT_EQ(copied.pixelColor(10, 10), QColor(Qt::white));
}

TEST(PreviewViewer, ScrollStepsMoveTheBars)
{
    const auto pages = MakeNumberedPages(1);
    const auto viewer = ShowViewer(pages->Storage, { 400, 300 });
    viewer->ScrollLineDown();
    EXPECT_EQ(viewer->Box(0).y(), -TRLPreview::kLineStep);
    viewer->ScrollToBottom();
    EXPECT_EQ(viewer->Box(0).geometry().bottom() + 1, viewer->viewport()->height());
    viewer->ScrollToRightEnd();
    EXPECT_EQ(viewer->Box(0).geometry().right() + 1, viewer->viewport()->width());
    viewer->ScrollToTop();
    viewer->ScrollToLeftEnd();
    EXPECT_EQ(viewer->Box(0).pos(), QPoint(0, 0));
    viewer->NextPage();
}

TEST(PreviewViewer, DestroyingTheViewerUnlinksTheStore)
{
    const auto pages = MakeNumberedPages(1);
    {
        const auto viewer = ShowViewer(pages->Storage, { 400, 300 });
        EXPECT_EQ(pages->Storage->UserCount(), 1);
    }
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

namespace {
void Wheel(TRLPreview& viewer, QPoint at, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(at, viewer.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
        modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer.viewport(), &event);
}
} // namespace

TEST(PreviewViewer, CtrlWheelZoomsAroundThePointer)
{
    const auto pages = MakeNumberedPages(2);
    const auto viewer = ShowViewer(pages->Storage, { 600, 600 });
    viewer->SetZoomFactor(200);
    // Away from the page's edges, so that the scroll bars can keep the point in place.
    viewer->horizontalScrollBar()->setValue(500);
    viewer->verticalScrollBar()->setValue(700);
    const QPoint pointer(300, 250);
    const auto pagePoint = [&] {
        const QPoint inBox = pointer - viewer->Box(0).pos() - QPoint(1, 1);
        return QPointF(inBox) / (viewer->ZoomFactor() / 100);
    };
    const QPointF before = pagePoint();
    Wheel(*viewer, pointer, 120, Qt::ControlModifier);
    EXPECT_EQ(viewer->ZoomFactor(), 220);
    EXPECT_LE(QLineF(pagePoint(), before).length(), 1.5) << "the page point under the pointer stays";
    Wheel(*viewer, pointer, -240, Qt::ControlModifier);
    EXPECT_EQ(viewer->ZoomFactor(), 182);
    EXPECT_LE(QLineF(pagePoint(), before).length(), 1.5);
    EXPECT_EQ(viewer->PageIndex(), 0) << "zooming does not turn pages";
}

TEST(PreviewViewer, WheelContinuesToTheNextOrPriorPageAtAPageEnd)
{
    const auto pages = MakeNumberedPages(3);
    const auto viewer = ShowViewer(pages->Storage, { 600, 600 });
    QScrollBar& vertical = *viewer->verticalScrollBar();
    ASSERT_GT(vertical.maximum(), 0);
    Wheel(*viewer, { 300, 300 }, -120, {});
    EXPECT_EQ(viewer->PageIndex(), 0) << "inside the page the wheel scrolls";
    EXPECT_GT(vertical.value(), 0);
    viewer->ScrollToBottom();
    Wheel(*viewer, { 300, 300 }, -120, {});
    EXPECT_EQ(viewer->PageIndex(), 1);
    EXPECT_EQ(vertical.value(), 0) << "the next page starts at its top";
    Wheel(*viewer, { 300, 300 }, 120, {});
    EXPECT_EQ(viewer->PageIndex(), 0);
    EXPECT_EQ(vertical.value(), vertical.maximum()) << "the prior page shows its end";
    viewer->ScrollToTop();
    Wheel(*viewer, { 300, 300 }, 120, {});
    EXPECT_EQ(viewer->PageIndex(), 0) << "nothing before the first page";
}

// A page file with pictures that do not decode: each is drawn as an empty grey frame with a
// notice, no exception leaves a paint event, and every page is shown and copied.
TEST(PreviewViewer, DamagedPicturesLeaveEveryPageViewable)
{
    const QList<QByteArray> damaged = DamagedPictureData();
    const auto frameOf = [](qsizetype i) {
        return TRect { 100, 250 + 100 * int(i), 350, 330 + 100 * int(i) };
    };
    const auto source = MakeNumberedPages(3);
    TRLGraphicSurface* middle = source->Storage->Pages(1);
    ASSERT_NE(middle, nullptr);
    for (qsizetype i = 0; i < damaged.size(); ++i)
        middle->StretchDrawData(frameOf(i), damaged[i], false);
    QTemporaryDir dir;
    const QString pageFile = dir.filePath(QStringLiteral("damaged.rpf"));
    source->Storage->SaveToFile(pageFile);
    TPreviewPages loaded;
    loaded.Storage->LoadFromFile(pageFile);
    const auto viewer = ShowViewer(loaded.Storage, { 1000, 1200 });
    ASSERT_DOUBLE_EQ(viewer->ZoomFactor(), 100.0);
    for (int index = 0; index < 3; ++index) {
        viewer->GotoPageIndex(index);
        QApplication::processEvents();
        QImage shown;
        EXPECT_NO_THROW(shown = viewer->Box(0).grab().toImage()) << "page " << index + 1;
        ASSERT_FALSE(shown.isNull());
        // Page dots sit one pixel in, past the frame; the page's own text is drawn on every page.
        const QPoint text = TextPosition(0) + QPoint(1, 1);
        int ink = 0;
        for (int x = text.x(); x < text.x() + 60; ++x)
            for (int y = text.y(); y < text.y() + 16; ++y)
                ink += shown.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
        EXPECT_GT(ink, 20) << "page " << index + 1 << " shows its text";
        if (index != 1)
            continue;
        for (qsizetype i = 0; i < damaged.size(); ++i) {
            const TRect frame = frameOf(i);
            EXPECT_EQ(shown.pixelColor(frame.Left + 1, (frame.Top + frame.Bottom) / 2 + 1), kShadowGray)
                << "frame of picture " << i;
        }
    }
    viewer->GotoPageIndex(1);
    QApplication::clipboard()->clear();
    EXPECT_NO_THROW(viewer->CopyPage());
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(kA4Width, kA4Height));
    EXPECT_EQ(copied.pixelColor(frameOf(0).Left, (frameOf(0).Top + frameOf(0).Bottom) / 2), kShadowGray);
}
