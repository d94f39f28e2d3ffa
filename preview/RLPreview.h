#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <array>
#include <functional>

class QMenu;
class TRLGraphicStorage;
class TRLPreviewBox;
class TRLViewerLink;

/// A scrolling viewer of a page store: one page at a zoom, or three pages side by side. The
/// viewer is a user of the store it shows (Link), so the store lives while it is shown.
class TRLPreview : public QAbstractScrollArea {
public:
    /// Pages side by side in multiple mode.
    static constexpr int kMultipleCount = 3;
    /// Zoom requests below this percentage are ignored.
    static constexpr double kMinimumZoom = 10.0;
    /// Pixels moved by a line step of the scroll bars.
    static constexpr int kLineStep = 10;
    /// Zoom factor of one wheel notch with Ctrl held, and the highest zoom the wheel reaches.
    static constexpr double kWheelZoomStep = 1.1;
    static constexpr double kWheelZoomLimit = 500.0;
    /// The desk the pages lie on.
    static const QColor kDeskColor;

    explicit TRLPreview(QWidget* parent = nullptr);
    ~TRLPreview() override;

    TRLGraphicStorage* Pages() const { return m_pages; }
    /// Unlinks the old store, links the new one and shows its first page.
    void SetPages(TRLGraphicStorage* pages);

    /// Percent; 100 at first.
    double ZoomFactor() const { return m_zoomFactor; }
    /// Ignored below 10 and when unchanged; no upper limit.
    void SetZoomFactor(double zoom);

    /// 0-based index of the page in the first box; -1 without a store.
    int PageIndex() const { return m_pageIndex; }
    bool MultipleMode() const { return m_visibleCount > 1; }
    void SetMultipleMode(bool on);
    int VisibleCount() const { return m_visibleCount; }
    /// Boxes shown: the visible count, less the positions past the last page (at least one).
    int ShownCount() const;
    TRLPreviewBox& Box(int position) const { return *m_boxes.at(std::size_t(position)); }

    /// Editing mode: a click selects the smallest object under it; off clears the selections.
    bool Editing() const { return m_editing; }
    void SetEditing(bool editing);
    /// Drawn with a black frame when active, silver otherwise.
    bool Active() const { return m_active; }
    void SetActive(bool active);

    /// The store's FirstPageNumber plus the page index; 0 without a store.
    int CurrentPageNumber() const;
    void GotoPageIndex(int index);
    void GotoPageNumber(int number);
    void FirstPage();
    void LastPage();
    void NextPage();
    void PriorPage();

    int FullPageZoom() const;
    int PageWidthZoom() const;
    int MultiplePagesZoom() const;
    void ZoomFullPage();
    void ZoomPageWidth();
    void ZoomMultiplePages();
    /// Zooms to `zoom` keeping the page point under the viewport point `anchor` where it is.
    void ZoomAround(double zoom, const QPoint& anchor);

    void ScrollToTop();
    void ScrollToBottom();
    void ScrollToLeftEnd();
    void ScrollToRightEnd();
    void ScrollPageUp();
    void ScrollPageDown();
    void ScrollPageLeft();
    void ScrollPageRight();
    void ScrollLineUp();
    void ScrollLineDown();
    void ScrollLineLeft();
    void ScrollLineRight();

    /// Searches the stored texts (macros not expanded) from the page shown, continuing after
    /// the last hit; a hit is framed and its page shown. False when nothing more is found.
    bool FindText(const QString& text, bool backward, bool matchCase);
    /// Page index and object index of the last hit; -1 before any.
    int FoundPage() const { return m_foundPage; }
    int FoundObject() const { return m_foundObject; }
    bool Found() const { return m_found; }

    /// Puts the page of the box the popup menu was opened on (the first box before any) on the
    /// clipboard as a 32-bit bitmap at page size.
    void CopyPage();
    /// The popup menu shared by the boxes.
    QMenu& PopupMenu() const { return *m_popupMenu; }
    void RefreshBoxes();

    /// Raised after every layout.
    std::function<void(TRLPreview& sender)> OnChangeView;
    /// Raised when the user clicks the viewer or one of its boxes.
    std::function<void(TRLPreview& sender)> OnEnter;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TRLPreviewBox;
    friend class TRLViewerLink;
    void Layout();
    void PlaceBoxes();
    QSize BoxSize(const TRLPreviewBox& box) const;
    void BoxDoubleClicked(const TRLPreviewBox& box);
    void BoxPressed(TRLPreviewBox& box, const QPoint& point);
    void PopupOpened(TRLPreviewBox& box, const QPoint& globalPos);
    void StoreDestroyed();
    void RaiseChangeView();
    void RaiseEnter();
    /// The wheel past a page's end: true when it moved to the next or prior page.
    bool WheelAcrossPages(int notches);

    TRLGraphicStorage* m_pages = nullptr;
    /// The component through which the viewer links the store and hears of its destruction.
    std::unique_ptr<TRLViewerLink> m_link;
    double m_zoomFactor = 100.0;
    int m_visibleCount = 1;
    int m_pageIndex = -1;
    QSize m_lastSize;
    bool m_editing = false;
    bool m_active = false;
    bool m_layingOut = false;
    std::array<TRLPreviewBox*, kMultipleCount> m_boxes {};
    QMenu* m_popupMenu = nullptr;
    TRLPreviewBox* m_popupBox = nullptr;
    int m_foundPage = -1;
    int m_foundObject = -1;
    bool m_found = false;
    /// Wheel angle not yet turned into a zoom step (eighths of a degree).
    int m_zoomWheelRest = 0;
};
