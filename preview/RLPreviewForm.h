#pragma once

#include "preview/RLFindDialog.h"

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSplitter;
class QTimer;
class QToolButton;
class TRLGraphicStorage;
class TRLPreview;
class TRLPreviewThumbnails;
class TfrmRLFindDialog;

/// The preview window: a toolbar over one or two page viewers of the same store. Closing it
/// frees it (its viewers unlink the store) and records its window state for the next preview.
class TRLPreviewForm : public QDialog {
public:
    /// Pages moved per tick once a page button has been held this long (milliseconds).
    static constexpr int kRepeatInterval = 100;
    static constexpr int kRepeatDelay = 500;
    /// The zoom box's fixed percentages, in the order of its first items.
    static constexpr std::array<int, 8> kZoomPercentages { 500, 200, 150, 100, 75, 50, 25, 10 };
    static constexpr int kZoomStep = 10;

    explicit TRLPreviewForm(QWidget* parent = nullptr);
    ~TRLPreviewForm() override;

    QTimer* TimerRepeat = nullptr;
    QFrame* PanelContainer = nullptr;
    QFrame* PanelTools = nullptr;
    QToolButton* SpeedButtonPrint = nullptr;
    QToolButton* SpeedButtonSetup = nullptr;
    QToolButton* SpeedButtonFirst = nullptr;
    QToolButton* SpeedButtonPrior = nullptr;
    QToolButton* SpeedButtonNext = nullptr;
    QToolButton* SpeedButtonLast = nullptr;
    QToolButton* SpeedButtonZoomDown = nullptr;
    QToolButton* SpeedButtonZoomUp = nullptr;
    QToolButton* SpeedButtonClose = nullptr;
    /// Bevel1 to Bevel6.
    std::array<QFrame*, 6> Bevels {};
    QToolButton* SpeedButtonSave = nullptr;
    QToolButton* SpeedButtonViews = nullptr;
    QFrame* PanelPages = nullptr;
    QLabel* LabelPage = nullptr;
    QLabel* LabelOf = nullptr;
    QLineEdit* EditPageNo = nullptr;
    QFrame* PanelZoom = nullptr;
    QComboBox* ComboBoxZoom = nullptr;
    QLabel* PanelPageCount = nullptr;
    QToolButton* SpeedButtonEdit = nullptr;
    QToolButton* SpeedButtonSend = nullptr;
    QFrame* PanelAbout = nullptr;
    QToolButton* SpeedButtonAbout = nullptr;
    /// Shows and hides the thumbnail panel; after SpeedButtonClose behind its own bevel.
    QToolButton* SpeedButtonThumbnails = nullptr;
    QFrame* BevelThumbnails = nullptr;
    /// The side panel of page thumbnails, hidden at first.
    TRLPreviewThumbnails* Thumbnails = nullptr;

    /// Proposed as the file name when saving a store without a title.
    QString DocumentName;

    /// Shows the store in every viewer.
    void SetPages(TRLGraphicStorage* pages);
    TRLGraphicStorage* Pages() const;
    int ViewerCount() const { return int(m_viewers.size()); }
    TRLPreview& Viewer(int index) const { return *m_viewers.at(std::size_t(index)); }
    int ActiveViewerIndex() const { return m_activeIndex; }
    TRLPreview& ActiveViewer() const { return Viewer(m_activeIndex); }
    void SetActiveViewer(int index);

    /// Page count, page number and zoom text of the active viewer, without raising the boxes'
    /// change handlers and leaving alone a box the user is typing in.
    void ShowState();
    /// The zoom factor in the zoom box (100 gives "100%").
    void ShowZoom();
    /// The rules of the zoom box for typed or chosen text.
    void ApplyZoomText(const QString& text);
    /// The rules of the page box: the number counts pages from 1.
    void ApplyPageNumberText(const QString& text);
    void ZoomDown();
    void ZoomUp();
    /// 100 percent, as Ctrl+0 sets it.
    void ZoomActualSize();
    void ShowThumbnails(bool on);
    /// One viewer becomes two, two become one.
    void ToggleSplitView();
    void Print();
    void Save();
    void PrinterSetup();
    /// Creates the find window on first use and shows it, not modal.
    void OpenFindWindow();
    TfrmRLFindDialog* FindWindow() const { return m_findWindow; }
    /// The keyboard table; true when the key was handled.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildToolbar();
    void BuildPagePanel();
    void BuildZoomPanel();
    void AddAccelerators();
    void AddViewer();
    void RemoveViewer();
    void ArrangeViewers();
    void ViewerChanged(TRLPreview& viewer);
    void ViewerEntered(TRLPreview& viewer);
    void PageButtonPressed(int direction);
    void RepeatTick();
    QWidget* RememberFocus() const;
    void RestoreFocus(QWidget* remembered);
    void Find(const QString& text, bool& found, TRLFindOptions options);

    std::vector<TRLPreview*> m_viewers;
    int m_activeIndex = 0;
    QSplitter* m_splitter = nullptr;
    TfrmRLFindDialog* m_findWindow = nullptr;
    bool m_zoomTyping = false;
    bool m_pageTyping = false;
    bool m_priorHeld = false;
    bool m_nextHeld = false;
    int m_repeatElapsed = 0;
};

/// Inserts "&" before the first letter or digit of each caption that no earlier caption took;
/// captions without a free one stay as they are.
void AddCaptionAccelerators(const std::vector<QString*>& captions);
