#pragma once

#include <QListView>
#include <functional>

class TRLGraphicStorage;
class TRLThumbnailModel;

/// A side panel of page thumbnails. A thumbnail is drawn only when the list first shows it, so
/// that a store of hundreds of pages opens the panel at once.
class TRLPreviewThumbnails : public QListView {
public:
    /// Logical pixels; the height follows the store's page proportions.
    static constexpr int kThumbnailWidth = 120;

    explicit TRLPreviewThumbnails(QWidget* parent = nullptr);
    ~TRLPreviewThumbnails() override;

    /// Forgets the drawn thumbnails; nullptr empties the panel. The store must outlive the panel
    /// or be replaced before it goes.
    void SetPages(TRLGraphicStorage* pages);
    TRLGraphicStorage* Pages() const { return m_pages; }
    /// Highlights the page of this 0-based index and scrolls it into view.
    void SetCurrentPage(int index);
    int CurrentPage() const;
    /// Thumbnails drawn since the store was set.
    int DrawnCount() const;

    /// Raised with the 0-based index of the page the user clicked.
    std::function<void(int index)> OnPageChosen;

private:
    TRLThumbnailModel* m_model = nullptr;
    TRLGraphicStorage* m_pages = nullptr;
};
