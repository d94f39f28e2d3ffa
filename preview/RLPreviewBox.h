#pragma once

#include <QWidget>

class TRLGraphicSurface;
class TRLPreview;

/// One page of a viewer: the page at the viewer's page index plus the box's position, drawn
/// through its PaintTo with a frame and a drop shadow; a gray box with a cross past the last page.
class TRLPreviewBox : public QWidget {
public:
    /// The shadow's width right and below the frame.
    static constexpr int kShadowSize = 7;
    /// Frame and shadow together: a box is this much larger than its page, whose drawing fills
    /// the frame's inside at exactly the zoom.
    static constexpr int kBorderSize = kShadowSize + 2;

    TRLPreviewBox(TRLPreview& viewer, int position);

    /// Position in the viewer's box list (0 to 2).
    int Position() const { return m_position; }
    /// Index in the store of the page shown; may be past the last page.
    int PageIndex() const;
    /// The page shown, read from the store each time; nullptr past the last page or unreadable.
    TRLGraphicSurface* Page() const;

    /// The selected drawing object's index in its page, -1 for none.
    int SelectedObject() const { return m_selectedObject; }
    /// Selects the smallest object of the shown page containing the page point (dots), or none;
    /// true when the selection changed.
    bool SelectAt(const QPoint& pagePoint);
    void ClearSelection();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void PaintSelection(QPainter& painter, TRLGraphicSurface& page) const;
    void PaintFoundText(QPainter& painter, TRLGraphicSurface& page) const;

    TRLPreview& m_viewer;
    int m_position;
    // The page objects belong to the store's cache and go with it; the selection is kept as
    // indexes and is valid only while the same page is shown.
    int m_selectedPage = -1;
    int m_selectedObject = -1;
};
