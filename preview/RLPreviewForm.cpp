#include "preview/RLPreviewForm.h"

#include "filters/RLFilters.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "preview/RLFindDialog.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewGlyphs.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPreviewThumbnails.h"
#include "preview/RLPrintDialog.h"
#include "preview/RLPrintParams.h"
#include "preview/RLSaveDialog.h"
#include "preview/RLSaveParams.h"
#include "report/RLTypes.h"
#include "support/LocaleTexts.h"
#include "support/TextUtils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using enum TRLWindowState;

namespace {

constexpr QSize kDesignSize { 815, 375 };
constexpr int kToolsHeight = 23;
constexpr int kToolTop = 1;
constexpr QSize kCaptionButton { 50, 22 };
constexpr QSize kGlyphButton { 22, 22 };
constexpr QSize kBevelSize { 2, 21 };
constexpr int kSplitterWidth = 3;
constexpr int kZoomDropRows = 11;
constexpr int kZoomItemHeight = 13;
constexpr int kPageWidthItem = 8;
constexpr int kFullPageItem = 9;
constexpr int kMultiplePagesItem = 10;
constexpr int kThumbnailsBevelLeft = 749;
constexpr int kThumbnailsButtonLeft = 755;
const QString kAboutHint
    = QStringLiteral("QuirelReport 0.6\nBand reports for OrdemCompra, by its own developers");

QFrame* Bevel(QWidget* parent, int left)
{
    auto* bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(left, kToolTop, kBevelSize.width(), kBevelSize.height());
    return bevel;
}

QToolButton* SpeedButton(QWidget* parent, int left, QSize size, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setGeometry(left, kToolTop, size.width(), size.height());
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* GlyphButton(QWidget* parent, int left, TRLPreviewGlyph glyph, const QString& hint)
{
    QToolButton* button = SpeedButton(parent, left, kGlyphButton, hint);
    button->setIcon(PreviewGlyph(glyph));
    return button;
}

/// The hint followed by the shortcut in the platform's words, as "Imprimir (Ctrl+P)".
QString HintWithShortcut(const QString& hint, const QKeySequence& shortcut)
{
    return hint + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

/// Keys that move the cursor of a text field; the field keeps them while it has the focus.
bool IsFieldEditingKey(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
        return !(modifiers & Qt::ControlModifier);
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

/// What operators mostly save an order as: the PDF filter when one is live.
TRLCustomSaveFilter* PreferredSaveFilter()
{
    for (TRLCustomFilter* filter : ActiveFilters()) {
        auto* saveFilter = dynamic_cast<TRLCustomSaveFilter*>(filter);
        if (saveFilter && ForceExtDot(saveFilter->DefaultExt()).compare(u".pdf", Qt::CaseInsensitive) == 0)
            return saveFilter;
    }
    return nullptr;
}

bool IsAcceleratorCharacter(QChar character)
{
    const QChar upper = character.toUpper();
    return (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z'))
        || (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'));
}
}

void AddCaptionAccelerators(const std::vector<QString*>& captions)
{
    QString used;
    for (QString* caption : captions) {
        for (qsizetype index = 0; index < caption->size(); ++index) {
            const QChar upper = caption->at(index).toUpper();
            if (!IsAcceleratorCharacter(caption->at(index)) || used.contains(upper))
                continue;
            used += upper;
            caption->insert(index, QLatin1Char('&'));
            break;
        }
    }
}

TRLPreviewForm::TRLPreviewForm(QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("RLPreviewForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(LocaleText(TLocaleTextId::Preview));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    resize(kDesignSize);
    move(DefaultDesignedPosition());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PanelTools = new QFrame(this);
    PanelTools->setObjectName(QStringLiteral("PanelTools"));
    PanelTools->setFixedHeight(kToolsHeight);
    layout->addWidget(PanelTools);
    PanelContainer = new QFrame(this);
    PanelContainer->setObjectName(QStringLiteral("PanelContainer"));
    PanelContainer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(PanelContainer, 1);
    auto* containerLayout = new QHBoxLayout(PanelContainer);
    containerLayout->setContentsMargins(1, 1, 1, 1);
    containerLayout->setSpacing(0);
    Thumbnails = new TRLPreviewThumbnails(PanelContainer);
    Thumbnails->setVisible(false);
    Thumbnails->OnPageChosen = [this](int index) { ActiveViewer().GotoPageIndex(index); };
    containerLayout->addWidget(Thumbnails);
    m_splitter = new QSplitter(Qt::Vertical, PanelContainer);
    m_splitter->setHandleWidth(kSplitterWidth);
    m_splitter->setChildrenCollapsible(false);
    containerLayout->addWidget(m_splitter, 1);

    TimerRepeat = new QTimer(this);
    TimerRepeat->setInterval(kRepeatInterval);
    QObject::connect(TimerRepeat, &QTimer::timeout, this, [this] { RepeatTick(); });

    BuildToolbar();
    AddAccelerators();
    AddViewer();
    SetActiveViewer(0);
    qApp->installEventFilter(this);
}

TRLPreviewForm::~TRLPreviewForm()
{
    qApp->removeEventFilter(this);
    // Hiding the window moves the focus out of the zoom box, which may then report its text;
    // by then this window's members are gone.
    QObject::disconnect(ComboBoxZoom, nullptr, this, nullptr);
    QObject::disconnect(ComboBoxZoom->lineEdit(), nullptr, this, nullptr);
    QObject::disconnect(EditPageNo, nullptr, this, nullptr);
    delete m_findWindow;
    // The viewers unlink the store before the window goes.
    Thumbnails->SetPages(nullptr);
    for (TRLPreview* viewer : m_viewers)
        viewer->SetPages(nullptr);
}

void TRLPreviewForm::BuildToolbar()
{
    SpeedButtonPrint = SpeedButton(PanelTools, 1, kCaptionButton,
        HintWithShortcut(LocaleText(TLocaleTextId::Print), QKeySequence::Print));
    SpeedButtonPrint->setText(LocaleText(TLocaleTextId::Print));
    SpeedButtonSave = SpeedButton(PanelTools, 51, kCaptionButton,
        HintWithShortcut(LocaleText(TLocaleTextId::SaveToFile), QKeySequence::Save));
    SpeedButtonSave->setText(LocaleText(TLocaleTextId::Save));
    SpeedButtonSend = SpeedButton(PanelTools, 101, kCaptionButton, LocaleText(TLocaleTextId::SendTo));
    SpeedButtonSend->setText(LocaleText(TLocaleTextId::Send));
    SpeedButtonSend->setEnabled(false);
    Bevels[0] = Bevel(PanelTools, 156);
    SpeedButtonSetup
        = GlyphButton(PanelTools, 162, TRLPreviewGlyph::Setup, LocaleText(TLocaleTextId::ConfigurePrinter));
    Bevels[1] = Bevel(PanelTools, 189);
    SpeedButtonFirst = GlyphButton(PanelTools, 195, TRLPreviewGlyph::First,
        HintWithShortcut(LocaleText(TLocaleTextId::FirstPage), QKeySequence(Qt::CTRL | Qt::Key_Home)));
    SpeedButtonPrior = GlyphButton(PanelTools, 217, TRLPreviewGlyph::Prior,
        HintWithShortcut(LocaleText(TLocaleTextId::PriorPage), QKeySequence(Qt::Key_PageUp)));
    BuildPagePanel();
    SpeedButtonNext = GlyphButton(PanelTools, 378, TRLPreviewGlyph::Next,
        HintWithShortcut(LocaleText(TLocaleTextId::NextPage), QKeySequence(Qt::Key_PageDown)));
    SpeedButtonLast = GlyphButton(PanelTools, 400, TRLPreviewGlyph::Last,
        HintWithShortcut(LocaleText(TLocaleTextId::LastPage), QKeySequence(Qt::CTRL | Qt::Key_End)));
    Bevels[2] = Bevel(PanelTools, 427);
    SpeedButtonZoomDown = GlyphButton(PanelTools, 433, TRLPreviewGlyph::ZoomDown,
        HintWithShortcut(LocaleText(TLocaleTextId::ZoomOut), QKeySequence(Qt::CTRL | Qt::Key_Minus)));
    SpeedButtonZoomUp = GlyphButton(PanelTools, 455, TRLPreviewGlyph::ZoomUp,
        HintWithShortcut(LocaleText(TLocaleTextId::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Plus)));
    BuildZoomPanel();
    Bevels[3] = Bevel(PanelTools, 626);
    SpeedButtonViews
        = GlyphButton(PanelTools, 632, TRLPreviewGlyph::Views, LocaleText(TLocaleTextId::DivideScreen));
    Bevels[4] = Bevel(PanelTools, 658);
    SpeedButtonEdit = GlyphButton(PanelTools, 663, TRLPreviewGlyph::Edit, LocaleText(TLocaleTextId::Edit));
    SpeedButtonEdit->setCheckable(true);
    Bevels[5] = Bevel(PanelTools, 689);
    SpeedButtonClose = SpeedButton(
        PanelTools, 695, { 49, 22 }, HintWithShortcut(LocaleText(TLocaleTextId::Close), Qt::Key_Escape));
    BevelThumbnails = Bevel(PanelTools, kThumbnailsBevelLeft);
    SpeedButtonThumbnails = GlyphButton(PanelTools, kThumbnailsButtonLeft, TRLPreviewGlyph::Thumbnails,
        QCoreApplication::translate("TRLPreviewForm", "Page thumbnails"));
    SpeedButtonThumbnails->setCheckable(true);
    SpeedButtonClose->setText(LocaleText(TLocaleTextId::Close));
    PanelAbout = new QFrame(PanelTools);
    PanelAbout->setFixedSize(kGlyphButton.width(), kToolsHeight - kToolTop);
    SpeedButtonAbout = GlyphButton(PanelAbout, 0, TRLPreviewGlyph::About, kAboutHint);
    SpeedButtonAbout->move(0, 0);

    QObject::connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { Print(); });
    QObject::connect(SpeedButtonSave, &QToolButton::clicked, this, [this] { Save(); });
    QObject::connect(SpeedButtonSetup, &QToolButton::clicked, this, [this] { PrinterSetup(); });
    QObject::connect(SpeedButtonFirst, &QToolButton::clicked, this, [this] { ActiveViewer().FirstPage(); });
    QObject::connect(SpeedButtonLast, &QToolButton::clicked, this, [this] { ActiveViewer().LastPage(); });
    QObject::connect(SpeedButtonPrior, &QToolButton::pressed, this, [this] { PageButtonPressed(-1); });
    QObject::connect(SpeedButtonNext, &QToolButton::pressed, this, [this] { PageButtonPressed(1); });
    QObject::connect(SpeedButtonPrior, &QToolButton::released, this, [this] { m_priorHeld = false; });
    QObject::connect(SpeedButtonNext, &QToolButton::released, this, [this] { m_nextHeld = false; });
    QObject::connect(SpeedButtonZoomDown, &QToolButton::clicked, this, [this] { ZoomDown(); });
    QObject::connect(SpeedButtonZoomUp, &QToolButton::clicked, this, [this] { ZoomUp(); });
    QObject::connect(SpeedButtonViews, &QToolButton::clicked, this, [this] { ToggleSplitView(); });
    QObject::connect(SpeedButtonEdit, &QToolButton::toggled, this, [this](bool on) {
        for (TRLPreview* viewer : m_viewers)
            viewer->SetEditing(on);
    });
    QObject::connect(SpeedButtonClose, &QToolButton::clicked, this, [this] { close(); });
    QObject::connect(
        SpeedButtonThumbnails, &QToolButton::toggled, this, [this](bool on) { ShowThumbnails(on); });
}

void TRLPreviewForm::BuildPagePanel()
{
    PanelPages = new QFrame(PanelTools);
    PanelPages->setGeometry(242, kToolTop, 134, 21);
    LabelPage = new QLabel(LocaleText(TLocaleTextId::Page), PanelPages);
    LabelPage->move(0, 4);
    EditPageNo = new QLineEdit(PanelPages);
    EditPageNo->setGeometry(40, 0, 37, 21);
    LabelOf = new QLabel(LocaleText(TLocaleTextId::Of), PanelPages);
    LabelOf->move(80, 4);
    PanelPageCount = new QLabel(PanelPages);
    PanelPageCount->setGeometry(96, 0, 37, 21);
    PanelPageCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelPageCount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(EditPageNo, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_pageTyping = true;
        ApplyPageNumberText(text);
        m_pageTyping = false;
    });
}

void TRLPreviewForm::BuildZoomPanel()
{
    PanelZoom = new QFrame(PanelTools);
    PanelZoom->setGeometry(478, kToolTop, 145, 21);
    ComboBoxZoom = new QComboBox(PanelZoom);
    ComboBoxZoom->setGeometry(0, 0, 145, 21);
    ComboBoxZoom->setEditable(true);
    // Typed text is read as typed: no completion from the items, no new items.
    ComboBoxZoom->setCompleter(nullptr);
    ComboBoxZoom->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxZoom->setMaxVisibleItems(kZoomDropRows);
    ComboBoxZoom->view()->setMinimumHeight(0);
    for (int percent : kZoomPercentages)
        ComboBoxZoom->addItem(QString::number(percent) + QLatin1Char('%'));
    ComboBoxZoom->addItem(LocaleText(TLocaleTextId::EntireWidth));
    ComboBoxZoom->addItem(LocaleText(TLocaleTextId::EntirePage));
    ComboBoxZoom->addItem(LocaleText(TLocaleTextId::MultiplePages));
    for (int row = 0; row < ComboBoxZoom->count(); ++row)
        ComboBoxZoom->setItemData(row, QSize(0, kZoomItemHeight), Qt::SizeHintRole);
    auto typed = [this](const QString& text) {
        m_zoomTyping = true;
        ApplyZoomText(text);
        m_zoomTyping = false;
    };
    QObject::connect(ComboBoxZoom->lineEdit(), &QLineEdit::textEdited, this, typed);
    QObject::connect(ComboBoxZoom, &QComboBox::activated, this,
        [this, typed](int index) { typed(ComboBoxZoom->itemText(index)); });
}

void TRLPreviewForm::AddAccelerators()
{
    std::vector<QToolButton*> buttons { SpeedButtonPrint, SpeedButtonClose, SpeedButtonSave,
        SpeedButtonSend };
    std::vector<QString> captions;
    captions.reserve(buttons.size());
    for (QToolButton* button : buttons)
        captions.push_back(button->text());
    std::vector<QString*> pointers;
    pointers.reserve(captions.size());
    for (QString& caption : captions)
        pointers.push_back(&caption);
    AddCaptionAccelerators(pointers);
    for (std::size_t index = 0; index < buttons.size(); ++index)
        buttons[index]->setText(captions[index]);
}

// ---- Viewers --------------------------------------------------------------------------------

void TRLPreviewForm::SetPages(TRLGraphicStorage* pages)
{
    for (TRLPreview* viewer : m_viewers)
        viewer->SetPages(pages);
    Thumbnails->SetPages(pages);
    ShowState();
}

TRLGraphicStorage* TRLPreviewForm::Pages() const
{
    return m_viewers.front()->Pages();
}

void TRLPreviewForm::AddViewer()
{
    auto* viewer = new TRLPreview(m_splitter);
    viewer->OnChangeView = [this](TRLPreview& sender) { ViewerChanged(sender); };
    viewer->OnEnter = [this](TRLPreview& sender) { ViewerEntered(sender); };
    viewer->SetEditing(SpeedButtonEdit->isChecked());
    m_splitter->addWidget(viewer);
    m_viewers.push_back(viewer);
    if (m_viewers.size() > 1)
        viewer->SetPages(m_viewers.front()->Pages());
    ArrangeViewers();
}

void TRLPreviewForm::RemoveViewer()
{
    if (m_viewers.size() < 2)
        return;
    TRLPreview* last = m_viewers.back();
    m_viewers.pop_back();
    // The active index must be valid before the survivor's layout reports back.
    const bool wasActive = m_activeIndex >= ViewerCount();
    if (wasActive)
        m_activeIndex = ViewerCount() - 1;
    last->SetPages(nullptr);
    delete last;
    if (wasActive)
        SetActiveViewer(m_activeIndex);
    ArrangeViewers();
}

void TRLPreviewForm::ArrangeViewers()
{
    const int each = PanelContainer->contentsRect().height() / ViewerCount();
    m_splitter->setSizes(QList<int>(ViewerCount(), each));
}

void TRLPreviewForm::ToggleSplitView()
{
    if (ViewerCount() == 1)
        AddViewer();
    else
        RemoveViewer();
}

void TRLPreviewForm::SetActiveViewer(int index)
{
    if (index < 0 || index >= ViewerCount())
        return;
    for (TRLPreview* viewer : m_viewers)
        viewer->SetActive(false);
    m_activeIndex = index;
    Viewer(index).SetActive(true);
    ShowState();
}

void TRLPreviewForm::ViewerChanged(TRLPreview& viewer)
{
    if (m_activeIndex < ViewerCount() && &viewer == &ActiveViewer())
        ShowState();
}

void TRLPreviewForm::ViewerEntered(TRLPreview& viewer)
{
    const auto found = std::find(m_viewers.begin(), m_viewers.end(), &viewer);
    if (found != m_viewers.end() && int(found - m_viewers.begin()) != m_activeIndex)
        SetActiveViewer(int(found - m_viewers.begin()));
}

// ---- Showing state, zoom and page boxes -----------------------------------------------------

void TRLPreviewForm::ShowState()
{
    const TRLPreview& viewer = ActiveViewer();
    TRLGraphicStorage* pages = viewer.Pages();
    PanelPageCount->setText(pages ? QString::number(pages->PageCount()) : QString());
    if (Thumbnails->Pages() != pages)
        Thumbnails->SetPages(pages);
    Thumbnails->SetCurrentPage(viewer.PageIndex());
    if (!m_pageTyping) {
        const QSignalBlocker blocker(EditPageNo);
        EditPageNo->setText(pages ? QString::number(viewer.PageIndex() + 1) : QString());
    }
    ShowZoom();
}

void TRLPreviewForm::ShowZoom()
{
    if (m_zoomTyping)
        return;
    const QSignalBlocker blocker(ComboBoxZoom);
    ComboBoxZoom->setCurrentIndex(-1);
    // No group separator: "1.005%" would read back as one percent in pt_BR.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    ComboBoxZoom->setEditText(locale.toString(ActiveViewer().ZoomFactor(), 'g', 15) + QLatin1Char('%'));
}

void TRLPreviewForm::ApplyZoomText(const QString& text)
{
    TRLPreview& viewer = ActiveViewer();
    const int position = ComboBoxZoom->findText(text, Qt::MatchExactly);
    double number = 0;
    if (position < 0) {
        QString digits = text;
        digits.remove(QLatin1Char('%'));
        digits.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        number = digits.trimmed().toDouble(&ok);
        if (!ok)
            number = 0;
    }
    if (number >= TRLPreview::kMinimumZoom) {
        viewer.SetZoomFactor(number);
        return;
    }
    if (position >= 0 && position < int(kZoomPercentages.size()))
        viewer.SetZoomFactor(kZoomPercentages[std::size_t(position)]);
    else if (position == kPageWidthItem)
        viewer.ZoomPageWidth();
    else if (position == kFullPageItem)
        viewer.ZoomFullPage();
    else if (position == kMultiplePagesItem)
        viewer.ZoomMultiplePages();
}

void TRLPreviewForm::ApplyPageNumberText(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (ok)
        ActiveViewer().GotoPageIndex(number - 1);
}

void TRLPreviewForm::ZoomDown()
{
    TRLPreview& viewer = ActiveViewer();
    viewer.SetZoomFactor(std::max(viewer.ZoomFactor() - kZoomStep, TRLPreview::kMinimumZoom));
    ShowZoom();
}

void TRLPreviewForm::ZoomUp()
{
    TRLPreview& viewer = ActiveViewer();
    viewer.SetZoomFactor(viewer.ZoomFactor() + kZoomStep);
    ShowZoom();
}

void TRLPreviewForm::ZoomActualSize()
{
    ActiveViewer().SetMultipleMode(false);
    ActiveViewer().SetZoomFactor(100);
    ShowZoom();
}

void TRLPreviewForm::ShowThumbnails(bool on)
{
    if (SpeedButtonThumbnails->isChecked() != on)
        SpeedButtonThumbnails->setChecked(on);
    Thumbnails->setVisible(on);
    Thumbnails->SetCurrentPage(ActiveViewer().PageIndex());
}

void TRLPreviewForm::PageButtonPressed(int direction)
{
    if (direction < 0) {
        m_priorHeld = true;
        ActiveViewer().PriorPage();
    } else {
        m_nextHeld = true;
        ActiveViewer().NextPage();
    }
    m_repeatElapsed = 0;
    TimerRepeat->start();
}

void TRLPreviewForm::RepeatTick()
{
    m_repeatElapsed += kRepeatInterval;
    if (!m_priorHeld && !m_nextHeld) {
        TimerRepeat->stop();
        return;
    }
    if (m_repeatElapsed <= kRepeatDelay || m_priorHeld == m_nextHeld)
        return;
    if (m_priorHeld)
        ActiveViewer().PriorPage();
    else
        ActiveViewer().NextPage();
}

// ---- Commands -------------------------------------------------------------------------------

QWidget* TRLPreviewForm::RememberFocus() const
{
    return QApplication::focusWidget();
}

void TRLPreviewForm::RestoreFocus(QWidget* remembered)
{
    const bool editBox = qobject_cast<QLineEdit*>(remembered) || qobject_cast<QComboBox*>(remembered)
        || (remembered && qobject_cast<QComboBox*>(remembered->parentWidget()));
    if (remembered && editBox && remembered->window() == this)
        remembered->setFocus();
    else
        EditPageNo->setFocus();
}

void TRLPreviewForm::Print()
{
    TRLGraphicStorage* pages = Pages();
    if (!pages)
        return;
    QWidget* focus = RememberFocus();
    TRLPrintParams& params = PrintParams();
    params.Reset();
    params.SetMaxPage(pages->PageCount());
    params.Orientation = pages->Orientation();
    try {
        TRLPrintDialog dialog(this);
        if (dialog.Execute())
            FilterPages(*pages, params.Filter(), params.FromPage, params.ToPage, params.PrintInBackground);
    } catch (const EAbort&) {
    } catch (const EReportError& error) {
        QMessageBox::critical(this, windowTitle(), error.Message());
    }
    RestoreFocus(focus);
}

void TRLPreviewForm::Save()
{
    TRLGraphicStorage* pages = Pages();
    if (!pages)
        return;
    QWidget* focus = RememberFocus();
    TRLSaveParams& params = SaveParams();
    params.Reset();
    params.SetMaxPage(pages->PageCount());
    if (!params.Filter())
        params.SetFilter(PreferredSaveFilter());
    const QString extension = params.Filter() ? ForceExtDot(params.Filter()->DefaultExt())
                                              : TRLSaveDialog::kPageFileExt.toString();
    params.FileName = ProposedSaveFileName(pages->Title(), DocumentName, extension);
    if (params.FileName.isEmpty() && params.Filter())
        params.FileName = params.Filter()->FileName;
    try {
        TRLSaveDialog dialog(this);
        if (dialog.Execute()) {
            if (TRLCustomSaveFilter* filter = params.Filter()) {
                filter->FileName = params.FileName;
                filter->FilterPages(*pages, params.FromPage, params.ToPage, params.SaveInBackground);
            } else {
                pages->SaveToFile(params.FileName);
            }
        }
    } catch (const EAbort&) {
    } catch (const EReportError& error) {
        QMessageBox::critical(this, windowTitle(), error.Message());
    }
    RestoreFocus(focus);
}

void TRLPreviewForm::PrinterSetup()
{
    try {
        SharedPrinter().ShowPrinterSetup();
    } catch (const EReportError& error) {
        QMessageBox::warning(this, windowTitle(), error.Message());
    }
}

void TRLPreviewForm::OpenFindWindow()
{
    if (!m_findWindow) {
        m_findWindow = new TfrmRLFindDialog(this);
        m_findWindow->OnFind = [this](TfrmRLFindDialog&, const QString& text, bool& found,
                                   TRLFindOptions options) { Find(text, found, options); };
    }
    m_findWindow->show();
    m_findWindow->raise();
    m_findWindow->activateWindow();
    m_findWindow->EditTextToFind->setFocus();
}

void TRLPreviewForm::Find(const QString& text, bool& found, TRLFindOptions options)
{
    found = ActiveViewer().FindText(
        text, options.testFlag(TRLFindOption::foBackward), options.testFlag(TRLFindOption::foMatchCase));
}

// ---- Keyboard, closing ----------------------------------------------------------------------

bool TRLPreviewForm::HandleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    TRLPreview& viewer = ActiveViewer();
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        control ? viewer.ScrollToTop() : viewer.PriorPage();
        return true;
    case Qt::Key_PageDown:
        control ? viewer.ScrollToBottom() : viewer.NextPage();
        return true;
    case Qt::Key_End:
        control ? viewer.LastPage() : viewer.ScrollToRightEnd();
        return true;
    case Qt::Key_Home:
        control ? viewer.FirstPage() : viewer.ScrollToLeftEnd();
        return true;
    case Qt::Key_Left:
        control ? viewer.ScrollPageLeft() : viewer.ScrollLineLeft();
        return true;
    case Qt::Key_Up:
        control ? viewer.ScrollPageUp() : viewer.ScrollLineUp();
        return true;
    case Qt::Key_Right:
        control ? viewer.ScrollPageRight() : viewer.ScrollLineRight();
        return true;
    case Qt::Key_Down:
        control ? viewer.ScrollPageDown() : viewer.ScrollLineDown();
        return true;
    case Qt::Key_F:
    case Qt::Key_F3:
        if (!control)
            return false;
        OpenFindWindow();
        return true;
    case Qt::Key_P:
        if (!control)
            return false;
        Print();
        return true;
    case Qt::Key_S:
        if (!control)
            return false;
        Save();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!control)
            return false;
        ZoomUp();
        return true;
    case Qt::Key_Minus:
        if (!control)
            return false;
        ZoomDown();
        return true;
    case Qt::Key_0:
        if (!control)
            return false;
        ZoomActualSize();
        return true;
    default:
        return false;
    }
}

bool TRLPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the keys of its own controls first, as the keyboard table wants.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A text field with the focus keeps the keys that move its cursor.
        // (Up and Down, which a line edit passes on to its combo box, too.)
        const auto* combo = qobject_cast<QComboBox*>(watched);
        const bool field = qobject_cast<QLineEdit*>(watched) || (combo && combo->isEditable());
        if (field && IsFieldEditingKey(key->key(), key->modifiers()))
            return QDialog::eventFilter(watched, event);
        if (HandleKey(key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TRLPreviewForm::closeEvent(QCloseEvent* event)
{
    TRLWindowState state = wsNormal;
    if (isMaximized())
        state = wsMaximized;
    else if (isMinimized())
        state = wsMinimized;
    DefaultPreviewOptions().WindowState = state;
    TimerRepeat->stop();
    QDialog::closeEvent(event);
}

void TRLPreviewForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PanelAbout->move(PanelTools->width() - PanelAbout->width(), kToolTop);
}
