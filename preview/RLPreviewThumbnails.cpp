#include "preview/RLPreviewThumbnails.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Canvas.h"
#include "preview/RLPreview.h"

#include <QAbstractListModel>
#include <QCache>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr int kSpacing = 6;
/// Drawn thumbnails kept; the rest are drawn again when scrolled back into view.
constexpr int kCachedThumbnails = 400;
const QColor kUnreadablePage(128, 128, 128);
}

/// Page n of the store as an item: its number as text, its drawing as decoration, drawn when
/// the view first asks for it.
class TRLThumbnailModel : public QAbstractListModel {
public:
    explicit TRLThumbnailModel(QObject* parent)
        : QAbstractListModel(parent)
        , m_cache(kCachedThumbnails)
    {
    }

    void SetPages(TRLGraphicStorage* pages)
    {
        beginResetModel();
        m_pages = pages;
        m_cache.clear();
        m_drawn = 0;
        endResetModel();
    }
    void SetDevicePixelRatio(double ratio)
    {
        if (ratio == m_ratio)
            return;
        m_ratio = ratio;
        m_cache.clear();
    }
    int Drawn() const { return m_drawn; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !m_pages ? 0 : m_pages->PageCount();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_pages || !index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return QString::number(m_pages->FirstPageNumber() + index.row());
        case Qt::DecorationRole:
            return Thumbnail(index.row());
        case Qt::ToolTipRole:
            return QCoreApplication::translate("TRLPreviewThumbnails", "Page %1")
                .arg(m_pages->FirstPageNumber() + index.row());
        default:
            return {};
        }
    }

private:
    int ThumbnailHeight() const
    {
        const int width = std::max(1, m_pages->OrientedPixelWidth());
        return std::max(1, TRLPreviewThumbnails::kThumbnailWidth * m_pages->OrientedPixelHeight() / width);
    }

    QPixmap Thumbnail(int row) const
    {
        if (const QPixmap* cached = m_cache.object(row))
            return *cached;
        const QSize size(TRLPreviewThumbnails::kThumbnailWidth, ThumbnailHeight());
        // Drawn at the screen's density, so that a high-density screen gets sharp pages.
        QImage image(size * m_ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(m_ratio);
        TRLGraphicSurface* page = m_pages->Pages(row);
        image.fill(page ? QColor(Qt::white) : kUnreadablePage);
        if (page) {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::TextAntialiasing);
            // Drawn from a paint event of the list: a page that fails to draw shows as unreadable.
            try {
                TCanvas canvas(painter);
                canvas.SmoothText = true;
                page->PaintTo(canvas, TRect { 0, 0, size.width(), size.height() });
            } catch (const std::exception&) {
                painter.setClipping(false);
                painter.fillRect(QRect(QPoint(0, 0), size), kUnreadablePage);
            }
        }
        ++m_drawn;
        auto* pixmap = new QPixmap(QPixmap::fromImage(image));
        const QPixmap result = *pixmap;
        m_cache.insert(row, pixmap);
        return result;
    }

    TRLGraphicStorage* m_pages = nullptr;
    double m_ratio = 1.0;
    mutable QCache<int, QPixmap> m_cache;
    mutable int m_drawn = 0;
};

TRLPreviewThumbnails::TRLPreviewThumbnails(QWidget* parent)
    : QListView(parent)
    , m_model(new TRLThumbnailModel(this))
{
    setObjectName(QStringLiteral("Thumbnails"));
    setModel(m_model);
    // Icon mode puts the page number under its picture; one column, top to bottom.
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    // One size for all lets the view ask only the thumbnails it shows.
    setUniformItemSizes(true);
    setIconSize(QSize(kThumbnailWidth, kThumbnailWidth * 2));
    setSpacing(kSpacing / 2);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFocusPolicy(Qt::NoFocus);
    QPalette desk = palette();
    desk.setColor(QPalette::Base, TRLPreview::kDeskColor);
    setPalette(desk);
    QObject::connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (OnPageChosen && index.isValid())
            OnPageChosen(index.row());
    });
}

TRLPreviewThumbnails::~TRLPreviewThumbnails() = default;

void TRLPreviewThumbnails::SetPages(TRLGraphicStorage* pages)
{
    m_model->SetDevicePixelRatio(devicePixelRatioF());
    m_pages = pages;
    m_model->SetPages(pages);
    const int scrollBar = verticalScrollBar()->sizeHint().width();
    setFixedWidth(kThumbnailWidth + 4 * kSpacing + scrollBar + 2 * frameWidth());
}

void TRLPreviewThumbnails::SetCurrentPage(int index)
{
    const QModelIndex item = m_model->index(index, 0);
    if (!item.isValid() || item == currentIndex())
        return;
    setCurrentIndex(item);
    scrollTo(item);
}

int TRLPreviewThumbnails::CurrentPage() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int TRLPreviewThumbnails::DrawnCount() const
{
    return m_model->Drawn();
}
