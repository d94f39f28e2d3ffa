#include "preview/RLPreview.h"

#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Canvas.h"
#include "platform/Component.h"
#include "preview/RLPreviewBox.h"
#include "support/LocaleTexts.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
/// The copy of a page is at most this many pixels (64 MB).
constexpr double kMaxCopyPixels = 16.0 * 1024 * 1024;
/// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
}

const QColor TRLPreview::kDeskColor(160, 160, 160);

/// The viewer's face toward the store's component model: links the store and hears of its end.
class TRLViewerLink : public TComponent {
public:
    explicit TRLViewerLink(TRLPreview& viewer)
        : TComponent(nullptr)
        , m_viewer(viewer)
    {
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == m_viewer.m_pages)
            m_viewer.StoreDestroyed();
    }

private:
    TRLPreview& m_viewer;
};

TRLPreview::TRLPreview(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_link(std::make_unique<TRLViewerLink>(*this))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(kLineStep);
    verticalScrollBar()->setSingleStep(kLineStep);
    QPalette desk = viewport()->palette();
    desk.setColor(QPalette::Window, kDeskColor);
    viewport()->setPalette(desk);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    for (int position = 0; position < kMultipleCount; ++position) {
        m_boxes[std::size_t(position)] = new TRLPreviewBox(*this, position);
        m_boxes[std::size_t(position)]->setVisible(position < m_visibleCount);
    }
    m_popupMenu = new QMenu(this);
    QAction* copy = m_popupMenu->addAction(LocaleText(TLocaleTextId::Copy));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    QObject::connect(copy, &QAction::triggered, this, [this] { CopyPage(); });
}

TRLPreview::~TRLPreview()
{
    SetPages(nullptr);
}

void TRLPreview::SetPages(TRLGraphicStorage* pages)
{
    if (pages == m_pages)
        return;
    TRLGraphicStorage* old = m_pages;
    m_pages = nullptr;
    if (old) {
        old->RemoveFreeNotification(m_link.get());
        old->Unlink(m_link.get());
    }
    m_pages = pages;
    m_foundPage = -1;
    m_foundObject = -1;
    m_found = false;
    for (TRLPreviewBox* box : m_boxes)
        box->ClearSelection();
    if (!m_pages) {
        m_pageIndex = -1;
        RefreshBoxes();
        return;
    }
    m_pages->Link(m_link.get());
    m_pages->FreeNotification(m_link.get());
    m_pageIndex = 0;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    Layout();
}

void TRLPreview::StoreDestroyed()
{
    m_pages = nullptr;
    m_pageIndex = -1;
    RefreshBoxes();
    RaiseChangeView();
}

void TRLPreview::SetZoomFactor(double zoom)
{
    if (zoom < kMinimumZoom || zoom == m_zoomFactor)
        return;
    m_zoomFactor = zoom;
    Layout();
}

void TRLPreview::SetMultipleMode(bool on)
{
    m_visibleCount = on ? kMultipleCount : 1;
    for (TRLPreviewBox* box : m_boxes)
        box->setVisible(box->Position() < ShownCount());
    Layout();
}

int TRLPreview::ShownCount() const
{
    if (!m_pages || m_pageIndex < 0)
        return m_visibleCount;
    // Pages that do not exist are not shown as empty boxes.
    return std::clamp(m_pages->PageCount() - m_pageIndex, 1, m_visibleCount);
}

void TRLPreview::SetEditing(bool editing)
{
    if (editing == m_editing)
        return;
    m_editing = editing;
    if (m_editing)
        return;
    for (int position = 0; position < m_visibleCount; ++position)
        Box(position).ClearSelection();
    RefreshBoxes();
}

void TRLPreview::SetActive(bool active)
{
    m_active = active;
    RefreshBoxes();
}

// ---- Navigation -----------------------------------------------------------------------------

int TRLPreview::CurrentPageNumber() const
{
    return m_pages ? m_pages->FirstPageNumber() + m_pageIndex : 0;
}

void TRLPreview::GotoPageIndex(int index)
{
    if (!m_pages || index < 0 || index >= m_pages->PageCount() || index == m_pageIndex)
        return;
    m_pageIndex = index;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    Layout();
}

void TRLPreview::GotoPageNumber(int number)
{
    if (m_pages)
        GotoPageIndex(number - m_pages->FirstPageNumber());
}

void TRLPreview::FirstPage()
{
    if (m_pages)
        GotoPageNumber(m_pages->FirstPageNumber());
}

void TRLPreview::LastPage()
{
    if (m_pages)
        GotoPageNumber(std::max(m_pages->FirstPageNumber(), m_pages->LastPageNumber() - m_visibleCount + 1));
}

void TRLPreview::NextPage()
{
    if (m_pages)
        GotoPageNumber(std::min(m_pages->LastPageNumber(), CurrentPageNumber() + m_visibleCount));
}

void TRLPreview::PriorPage()
{
    if (m_pages)
        GotoPageNumber(std::max(m_pages->FirstPageNumber(), CurrentPageNumber() - m_visibleCount));
}

// ---- Zoom -----------------------------------------------------------------------------------

int TRLPreview::FullPageZoom() const
{
    if (!m_pages)
        return 100;
    const int byWidth
        = RoundHalfEven((width() - TRLPreviewBox::kBorderSize) * 100.0 / m_pages->OrientedPixelWidth());
    const int byHeight
        = RoundHalfEven((height() - TRLPreviewBox::kBorderSize) * 100.0 / m_pages->OrientedPixelHeight());
    return std::min(byWidth, byHeight);
}

int TRLPreview::PageWidthZoom() const
{
    if (!m_pages)
        return 100;
    const int pageWidth = std::max(1, m_pages->OrientedPixelWidth());
    int zoom = RoundHalfEven((width() - TRLPreviewBox::kBorderSize) * 100.0 / pageWidth);
    // A page taller than the viewer brings a vertical scroll bar: fit the width beside it, so
    // that no horizontal one appears.
    if (RoundHalfEven(m_pages->OrientedPixelHeight() * zoom / 100.0) + TRLPreviewBox::kBorderSize
        > height()) {
        const int available = width() - verticalScrollBar()->sizeHint().width();
        zoom = int(std::floor((available - TRLPreviewBox::kBorderSize) * 100.0 / pageWidth));
        while (zoom > int(kMinimumZoom)
            && RoundHalfEven(pageWidth * zoom / 100.0) + TRLPreviewBox::kBorderSize > available)
            --zoom;
    }
    return zoom;
}

int TRLPreview::MultiplePagesZoom() const
{
    if (!m_pages)
        return 100;
    // As many boxes as the store has pages, up to three, each with its border, all inside the
    // viewer: no scroll bar appears.
    const int count = std::clamp(m_pages->PageCount(), 1, kMultipleCount);
    const int pageWidth = std::max(1, m_pages->OrientedPixelWidth());
    const int pageHeight = std::max(1, m_pages->OrientedPixelHeight());
    const auto fits = [&](int zoom) {
        const int boxWidth = RoundHalfEven(pageWidth * zoom / 100.0) + TRLPreviewBox::kBorderSize;
        const int boxHeight = RoundHalfEven(pageHeight * zoom / 100.0) + TRLPreviewBox::kBorderSize;
        return count * boxWidth <= width() && boxHeight <= height();
    };
    const double byWidth = (double(width()) / count - TRLPreviewBox::kBorderSize) * 100.0 / pageWidth;
    const double byHeight = (height() - TRLPreviewBox::kBorderSize) * 100.0 / pageHeight;
    int zoom = int(std::floor(std::min(byWidth, byHeight)));
    while (zoom > int(kMinimumZoom) && !fits(zoom))
        --zoom;
    return zoom;
}

void TRLPreview::ZoomFullPage()
{
    SetMultipleMode(false);
    SetZoomFactor(FullPageZoom());
}

void TRLPreview::ZoomPageWidth()
{
    SetMultipleMode(false);
    SetZoomFactor(PageWidthZoom());
}

void TRLPreview::ZoomMultiplePages()
{
    SetMultipleMode(true);
    SetZoomFactor(MultiplePagesZoom());
}

void TRLPreview::ZoomAround(double zoom, const QPoint& anchor)
{
    const double oldScale = m_zoomFactor / 100.0;
    int position = 0;
    for (int index = 0; index < ShownCount(); ++index) {
        if (Box(index).geometry().contains(anchor))
            position = index;
    }
    const QPoint pageOrigin = Box(position).pos() + QPoint(1, 1);
    const QPointF pagePoint = QPointF(anchor - pageOrigin) / oldScale;
    SetZoomFactor(zoom);
    const QPoint moved
        = Box(position).pos() + QPoint(1, 1) + (pagePoint * (m_zoomFactor / 100.0)).toPoint() - anchor;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + moved.y());
}

// ---- Scrolling ------------------------------------------------------------------------------

void TRLPreview::ScrollToTop()
{
    verticalScrollBar()->setValue(0);
}

void TRLPreview::ScrollToBottom()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TRLPreview::ScrollToLeftEnd()
{
    horizontalScrollBar()->setValue(0);
}

void TRLPreview::ScrollToRightEnd()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}

void TRLPreview::ScrollPageUp()
{
    verticalScrollBar()->setValue(verticalScrollBar()->value() - height());
}

void TRLPreview::ScrollPageDown()
{
    verticalScrollBar()->setValue(verticalScrollBar()->value() + height());
}

void TRLPreview::ScrollPageLeft()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - width());
}

void TRLPreview::ScrollPageRight()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + width());
}

void TRLPreview::ScrollLineUp()
{
    verticalScrollBar()->setValue(verticalScrollBar()->value() - kLineStep);
}

void TRLPreview::ScrollLineDown()
{
    verticalScrollBar()->setValue(verticalScrollBar()->value() + kLineStep);
}

void TRLPreview::ScrollLineLeft()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - kLineStep);
}

void TRLPreview::ScrollLineRight()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + kLineStep);
}

// ---- Search, copy ---------------------------------------------------------------------------

bool TRLPreview::FindText(const QString& text, bool backward, bool matchCase)
{
    if (!m_pages)
        return false;
    const QString wanted = matchCase ? text : text.toUpper();
    const int step = backward ? -1 : 1;
    for (int pageIndex = m_pageIndex; pageIndex >= 0 && pageIndex < m_pages->PageCount(); pageIndex += step) {
        TRLGraphicSurface* page = m_pages->Pages(pageIndex);
        if (!page)
            continue;
        int objectIndex;
        if (pageIndex == m_foundPage) {
            objectIndex = m_foundObject + step;
        } else {
            m_foundPage = -1;
            objectIndex = backward ? page->ObjectCount() - 1 : 0;
        }
        for (; objectIndex >= 0 && objectIndex < page->ObjectCount(); objectIndex += step) {
            const auto* textObject = dynamic_cast<const TRLTextObject*>(page->Objects(objectIndex));
            if (!textObject)
                continue;
            const QString candidate = matchCase ? textObject->Text : textObject->Text.toUpper();
            if (!candidate.contains(wanted))
                continue;
            m_foundPage = pageIndex;
            m_foundObject = objectIndex;
            m_found = true;
            for (int position = 0; position < m_visibleCount; ++position)
                Box(position).ClearSelection();
            RefreshBoxes();
            GotoPageIndex(pageIndex);
            return true;
        }
    }
    return false;
}

void TRLPreview::CopyPage()
{
    TRLPreviewBox& box = m_popupBox ? *m_popupBox : Box(0);
    TRLGraphicSurface* page = box.Page();
    if (!page || page->Width <= 0 || page->Height <= 0)
        return;
    // A page larger than any paper is copied scaled down, to a bitmap of bounded size.
    const double pixels = double(page->Width) * page->Height;
    const double scale = pixels > kMaxCopyPixels ? std::sqrt(kMaxCopyPixels / pixels) : 1.0;
    const int width = std::max(1, int(page->Width * scale));
    const int height = std::max(1, int(page->Height * scale));
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull())
        return;
    bitmap.fill(Qt::white);
    try {
        QPainter painter(&bitmap);
        TCanvas canvas(painter);
        canvas.SmoothText = true;
        page->PaintTo(canvas, TRect { 0, 0, width, height });
    } catch (const std::exception&) {
        return;
    }
    QGuiApplication::clipboard()->setImage(bitmap);
}

void TRLPreview::RefreshBoxes()
{
    for (int position = 0; position < ShownCount(); ++position)
        Box(position).update();
}

// ---- Layout ---------------------------------------------------------------------------------

QSize TRLPreview::BoxSize(const TRLPreviewBox& box) const
{
    int pageWidth = m_pages->OrientedPixelWidth();
    int pageHeight = m_pages->OrientedPixelHeight();
    if (const TRLGraphicSurface* page = box.Page()) {
        pageWidth = page->Width;
        pageHeight = page->Height;
    }
    return { RoundHalfEven(pageWidth * m_zoomFactor / 100.0) + TRLPreviewBox::kBorderSize,
        RoundHalfEven(pageHeight * m_zoomFactor / 100.0) + TRLPreviewBox::kBorderSize };
}

void TRLPreview::Layout()
{
    if (!m_pages || m_layingOut)
        return;
    m_layingOut = true;
    // Scroll bars that appear or go change the client size; a second pass settles it.
    for (int pass = 0; pass < 2; ++pass) {
        const QSize client = viewport()->size();
        PlaceBoxes();
        if (viewport()->size() == client)
            break;
    }
    m_lastSize = size();
    m_layingOut = false;
    RaiseChangeView();
}

void TRLPreview::PlaceBoxes()
{
    std::array<QSize, kMultipleCount> sizes;
    int total = 0;
    int tallest = 0;
    const int shown = ShownCount();
    for (TRLPreviewBox* box : m_boxes)
        box->setVisible(box->Position() < shown);
    for (int position = 0; position < shown; ++position) {
        sizes[std::size_t(position)] = BoxSize(Box(position));
        total += sizes[std::size_t(position)].width();
        tallest = std::max(tallest, sizes[std::size_t(position)].height());
    }
    // Pages that fit the viewer without scroll bars get none, whichever bars are showing now.
    const QSize whole = maximumViewportSize();
    const bool fitsWhole = total <= whole.width() && tallest <= whole.height();
    const QSize client = fitsWhole ? whole : viewport()->size();
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    horizontal->setRange(0, std::max(0, total - client.width()));
    horizontal->setPageStep(client.width());
    vertical->setRange(0, std::max(0, tallest - client.height()));
    vertical->setPageStep(client.height());
    int left;
    if (total < client.width()) {
        horizontal->setValue(0);
        left = (client.width() - total) / 2;
    } else {
        left = -horizontal->value();
    }
    int top;
    if (tallest < client.height()) {
        vertical->setValue(0);
        top = (client.height() - tallest) / 2;
    } else {
        top = -vertical->value();
    }
    for (int position = 0; position < shown; ++position) {
        const QSize boxSize = sizes[std::size_t(position)];
        Box(position).setGeometry(
            left, top + (tallest - boxSize.height()) / 2, boxSize.width(), boxSize.height());
        Box(position).update();
        left += boxSize.width();
    }
}

void TRLPreview::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (size() != m_lastSize)
        Layout();
}

void TRLPreview::scrollContentsBy(int, int)
{
    Layout();
}

void TRLPreview::mousePressEvent(QMouseEvent* event)
{
    QAbstractScrollArea::mousePressEvent(event);
    RaiseEnter();
}

void TRLPreview::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        m_zoomWheelRest += delta;
        const int notches = m_zoomWheelRest / kWheelNotch;
        m_zoomWheelRest -= notches * kWheelNotch;
        if (notches != 0 && m_pages) {
            const double wanted = std::round(m_zoomFactor * std::pow(kWheelZoomStep, notches));
            const double highest = std::max(kWheelZoomLimit, m_zoomFactor);
            ZoomAround(std::clamp(wanted, kMinimumZoom, highest), event->position().toPoint());
        }
        event->accept();
        return;
    }
    if (delta != 0 && event->angleDelta().x() == 0 && !(event->modifiers() & Qt::ShiftModifier)
        && WheelAcrossPages(delta)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

bool TRLPreview::WheelAcrossPages(int delta)
{
    if (!m_pages)
        return false;
    const QScrollBar* vertical = verticalScrollBar();
    const int before = m_pageIndex;
    if (delta < 0 && vertical->value() >= vertical->maximum()) {
        NextPage();
    } else if (delta > 0 && vertical->value() <= vertical->minimum()) {
        PriorPage();
        if (m_pageIndex != before)
            ScrollToBottom();
    }
    return m_pageIndex != before;
}

void TRLPreview::BoxPressed(TRLPreviewBox& box, const QPoint& point)
{
    RaiseEnter();
    if (!m_editing)
        return;
    const double scale = m_zoomFactor / 100.0;
    // The page starts inside the box's one-pixel frame.
    const QPoint pagePoint(RoundHalfEven((point.x() - 1) / scale), RoundHalfEven((point.y() - 1) / scale));
    if (box.SelectAt(pagePoint))
        box.update();
}

void TRLPreview::BoxDoubleClicked(const TRLPreviewBox& box)
{
    const int number = CurrentPageNumber() + box.Position();
    if (number != CurrentPageNumber())
        GotoPageNumber(number);
    if (MultipleMode())
        ZoomPageWidth();
    else
        ZoomMultiplePages();
}

void TRLPreview::PopupOpened(TRLPreviewBox& box, const QPoint& globalPos)
{
    m_popupBox = &box;
    m_popupMenu->popup(globalPos);
}

void TRLPreview::RaiseChangeView()
{
    if (OnChangeView)
        OnChangeView(*this);
}

void TRLPreview::RaiseEnter()
{
    if (OnEnter)
        OnEnter(*this);
}
