#include "preview/RLPreviewBox.h"

#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Canvas.h"
#include "preview/RLPreview.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

namespace {
const QColor kGray(128, 128, 128);
const QColor kSilver(192, 192, 192);
constexpr int kShadowOffset = 5;
constexpr int kShadowInset = 2;
constexpr int kHandleRadius = 3;
constexpr int kFoundInflate = 3;
constexpr int kFoundPenWidth = 3;

/// A page point in the box: the page starts inside the one-pixel frame.
QPoint ScaledPoint(int x, int y, double scale)
{
    return { RoundHalfEven(x * scale) + 1, RoundHalfEven(y * scale) + 1 };
}
}

TRLPreviewBox::TRLPreviewBox(TRLPreview& viewer, int position)
    : QWidget(viewer.viewport())
    , m_viewer(viewer)
    , m_position(position)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TRLPreviewBox::PageIndex() const
{
    return m_viewer.PageIndex() + m_position;
}

TRLGraphicSurface* TRLPreviewBox::Page() const
{
    TRLGraphicStorage* pages = m_viewer.Pages();
    if (!pages || m_viewer.PageIndex() < 0)
        return nullptr;
    return pages->Pages(PageIndex());
}

bool TRLPreviewBox::SelectAt(const QPoint& pagePoint)
{
    const TRLGraphicSurface* page = Page();
    int chosen = -1;
    qint64 smallest = 0;
    if (page) {
        for (int index = 0; index < page->ObjectCount(); ++index) {
            const TRect& bounds = page->Objects(index)->BoundsRect;
            // Edges included: the right and bottom edge count as inside here.
            if (pagePoint.x() < bounds.Left || pagePoint.x() > bounds.Right || pagePoint.y() < bounds.Top
                || pagePoint.y() > bounds.Bottom)
                continue;
            const qint64 area = qint64(bounds.Width()) * bounds.Height();
            if (chosen < 0 || area < smallest) {
                chosen = index;
                smallest = area;
            }
        }
    }
    const int selectedPage = chosen < 0 ? -1 : PageIndex();
    if (chosen == m_selectedObject && selectedPage == m_selectedPage)
        return false;
    m_selectedObject = chosen;
    m_selectedPage = selectedPage;
    return true;
}

void TRLPreviewBox::ClearSelection()
{
    m_selectedObject = -1;
    m_selectedPage = -1;
}

void TRLPreviewBox::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    TRLGraphicSurface* page = Page();
    QPainter painter(this);
    painter.fillRect(rect(), TRLPreview::kDeskColor);
    const TRect frame { 0, 0, w - kShadowSize, h - kShadowSize };
    painter.setPen(QPen(m_viewer.Active() ? QColor(Qt::black) : kSilver, 1));
    painter.setBrush(page ? QColor(Qt::white) : kGray);
    painter.drawRect(frame.Left, frame.Top, frame.Width() - 1, frame.Height() - 1);
    const TRect pageArea { 1, 1, w - kShadowSize - 1, h - kShadowSize - 1 };
    bool painted = false;
    if (page) {
        // No exception may leave a paint event: a page that fails to draw shows as unreadable.
        try {
            TCanvas canvas(painter);
            canvas.SmoothText = true;
            page->PaintTo(canvas, pageArea);
            painted = true;
        } catch (const std::exception&) {
            painter.fillRect(pageArea.ToQRect(), kGray);
        }
        painter.setClipping(false);
    }
    if (!painted) {
        painter.drawLine(pageArea.Left, pageArea.Top, pageArea.Right, pageArea.Bottom);
        painter.drawLine(pageArea.Left, pageArea.Bottom, pageArea.Right, pageArea.Top);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(
        TRect { w - kShadowSize, kShadowOffset, w - kShadowInset, h - kShadowInset }.ToQRect(), kGray);
    painter.fillRect(
        TRect { kShadowOffset, h - kShadowSize, w - kShadowSize, h - kShadowInset }.ToQRect(), kGray);
    if (page) {
        PaintSelection(painter, *page);
        PaintFoundText(painter, *page);
    }
}

void TRLPreviewBox::PaintSelection(QPainter& painter, TRLGraphicSurface& page) const
{
    if (m_selectedObject < 0 || m_selectedPage != PageIndex() || m_selectedObject >= page.ObjectCount())
        return;
    const qint32 groupId = page.Objects(m_selectedObject)->GroupId;
    if (groupId == 0)
        return;
    std::vector<const TRLGraphicObject*> marked;
    for (int index = 0; index < page.ObjectCount(); ++index) {
        if (page.Objects(index)->GroupId == groupId)
            marked.push_back(page.Objects(index));
    }
    const double scale = m_viewer.ZoomFactor() / 100.0;
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(marked.size() == 1 ? QColor(Qt::black) : kSilver);
    for (const TRLGraphicObject* object : marked) {
        const TRect& bounds = object->BoundsRect;
        const QPoint topLeft = ScaledPoint(bounds.Left, bounds.Top, scale);
        const QPoint bottomRight = ScaledPoint(bounds.Right, bounds.Bottom, scale);
        const int midX = (topLeft.x() + bottomRight.x()) / 2;
        const int midY = (topLeft.y() + bottomRight.y()) / 2;
        const QPoint handles[] = { topLeft, { midX, topLeft.y() }, { bottomRight.x(), topLeft.y() },
            { bottomRight.x(), midY }, bottomRight, { midX, bottomRight.y() },
            { topLeft.x(), bottomRight.y() }, { topLeft.x(), midY } };
        for (const QPoint& handle : handles)
            painter.drawRect(handle.x() - kHandleRadius, handle.y() - kHandleRadius, 2 * kHandleRadius - 1,
                2 * kHandleRadius - 1);
    }
}

void TRLPreviewBox::PaintFoundText(QPainter& painter, TRLGraphicSurface& page) const
{
    if (!m_viewer.Found() || m_viewer.FoundPage() != PageIndex()
        || m_viewer.FoundObject() >= page.ObjectCount())
        return;
    const double scale = m_viewer.ZoomFactor() / 100.0;
    const TRect& bounds = page.Objects(m_viewer.FoundObject())->BoundsRect;
    const QPoint topLeft = ScaledPoint(bounds.Left, bounds.Top, scale) - QPoint(kFoundInflate, kFoundInflate);
    const QPoint bottomRight
        = ScaledPoint(bounds.Right, bounds.Bottom, scale) + QPoint(kFoundInflate, kFoundInflate);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, kFoundPenWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(topLeft, bottomRight - QPoint(1, 1)));
    painter.restore();
}

void TRLPreviewBox::mousePressEvent(QMouseEvent* event)
{
    m_viewer.BoxPressed(*this, event->position().toPoint());
}

void TRLPreviewBox::mouseDoubleClickEvent(QMouseEvent*)
{
    m_viewer.BoxDoubleClicked(*this);
}

void TRLPreviewBox::contextMenuEvent(QContextMenuEvent* event)
{
    m_viewer.PopupOpened(*this, event->globalPos());
}
