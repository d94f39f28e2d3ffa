#include "preview/RLFindDialog.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewPages.h"
#include "tests/preview/PreviewTestPages.h"
#include "tests/preview/PreviewTestWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using enum TRLBorderIcon;
using enum TRLFormPosition;
using enum TRLFormStyle;
using enum TRLWindowState;

using namespace Qt::StringLiterals;

namespace {

/// A preview window of a normal state and known size on the pages, not modal.
QPointer<TRLPreviewForm> OpenPreview(TRLGraphicStorage& pages)
{
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(pages, false, options);
    form->resize(1000, 700);
    QApplication::processEvents();
    return form;
}

/// Closes the window at the end of a test.
struct TFormCloser {
    QPointer<TRLPreviewForm> Form;
    ~TFormCloser()
    {
        if (Form)
            delete Form.data();
    }
};

/// Types the text key by key; letters beyond ASCII too, which keyClicks refuses.
void TypeInto(QLineEdit& edit, const QString& text)
{
    edit.clear();
    for (const QChar character : text)
        QTest::sendKeyEvent(
            QTest::Click, &edit, Qt::Key(character.toUpper().unicode()), QString(character), {});
}

} // namespace

TEST(PreviewForm, ZoomBoxTyping)
{
    const auto pages = MakeNumberedPages(3);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    TRLPreview& viewer = form.ActiveViewer();
    QLineEdit& zoomEdit = *form.ComboBoxZoom->lineEdit();
    struct Case {
        QString typed;
        double expected;
    };
    const Case cases[] = {
        { QStringLiteral("250"), 250 },
        { QStringLiteral("7"), 250 },
        { QStringLiteral("33,5%"), 33.5 },
        { QStringLiteral("abc"), 33.5 },
        { QStringLiteral("75%"), 75 },
        { QStringLiteral("10%"), 10 },
    };
    for (const Case& c : cases) {
        TypeInto(zoomEdit, c.typed);
        EXPECT_EQ(viewer.ZoomFactor(), c.expected) << c.typed.toStdString();
        EXPECT_EQ(zoomEdit.text(), c.typed) << "the typed text stays while typing";
    }
    TypeInto(zoomEdit, QStringLiteral("Página inteira"));
    EXPECT_EQ(viewer.ZoomFactor(), viewer.FullPageZoom());
    viewer.SetZoomFactor(100);
    Q_EMIT form.ComboBoxZoom->activated(10);
    EXPECT_TRUE(viewer.MultipleMode()) << "Várias páginas";
    EXPECT_EQ(viewer.ZoomFactor(), viewer.MultiplePagesZoom());
    Q_EMIT form.ComboBoxZoom->activated(9);
    EXPECT_FALSE(viewer.MultipleMode()) << "Página inteira";
    EXPECT_EQ(viewer.ZoomFactor(), viewer.FullPageZoom());
    Q_EMIT form.ComboBoxZoom->activated(1);
    EXPECT_EQ(viewer.ZoomFactor(), 200) << "200%";
}

TEST(PreviewForm, ZoomItemsInOrder)
{
    const auto pages = MakeNumberedPages(1);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    QStringList items;
    for (int index = 0; index < closer.Form->ComboBoxZoom->count(); ++index)
        items << closer.Form->ComboBoxZoom->itemText(index);
    EXPECT_EQ(items.join(u'|'),
        QStringLiteral(
            "500%|200%|150%|100%|75%|50%|25%|10%|Largura da página|Página inteira|Várias páginas"));
}

TEST(PreviewForm, ZoomTextUsesTheLocaleDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const auto pages = MakeNumberedPages(1);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    EXPECT_EQ(form.ComboBoxZoom->currentText(), QStringLiteral("100%"));
    form.ActiveViewer().SetZoomFactor(33.5);
    EXPECT_EQ(form.ComboBoxZoom->currentText(), QStringLiteral("33,5%"));
    EXPECT_EQ(form.ComboBoxZoom->currentIndex(), -1) << "no item selected";
    form.ActiveViewer().SetZoomFactor(1005);
    const QString shown = form.ComboBoxZoom->currentText();
    EXPECT_EQ(shown, QStringLiteral("1005%")) << "no group separator";
    form.ActiveViewer().SetZoomFactor(100);
    TypeInto(*form.ComboBoxZoom->lineEdit(), shown);
    EXPECT_EQ(form.ActiveViewer().ZoomFactor(), 1005) << "what is shown can be typed back";
    QLocale::setDefault(saved);
}

TEST(PreviewForm, ZoomButtonsStopAtTenAndGoUpWithoutLimit)
{
    const auto pages = MakeNumberedPages(1);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    struct Case {
        double start;
        QToolButton* button;
        double expected;
        const char* text;
    };
    const Case cases[] = {
        { 15, form.SpeedButtonZoomDown, 10, "10%" },
        { 10, form.SpeedButtonZoomDown, 10, "10%" },
        { 100, form.SpeedButtonZoomDown, 90, "90%" },
        { 10, form.SpeedButtonZoomUp, 20, "20%" },
        { 995, form.SpeedButtonZoomUp, 1005, "1005%" },
    };
    for (const Case& c : cases) {
        form.ActiveViewer().SetZoomFactor(c.start);
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(form.ActiveViewer().ZoomFactor(), c.expected) << "from " << c.start;
        EXPECT_EQ(form.ComboBoxZoom->currentText(), QString::fromLatin1(c.text)) << "from " << c.start;
    }
}

TEST(PreviewForm, PageBoxCountsFromOneWhateverTheFirstPageNumber)
{
    const auto pages = MakeNumberedPages(3, 5);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    EXPECT_EQ(form.EditPageNo->text(), QStringLiteral("1"));
    EXPECT_EQ(form.PanelPageCount->text(), QStringLiteral("3"));
    struct Case {
        QString typed;
        int expectedIndex;
    };
    const Case cases[] = {
        { QStringLiteral("3"), 2 },
        { QString(), 2 },
        { QStringLiteral("9"), 2 },
        { QStringLiteral("x"), 2 },
        { QStringLiteral("1"), 0 },
        { QStringLiteral("0"), 0 },
        { QStringLiteral("2"), 1 },
    };
    for (const Case& c : cases) {
        TypeInto(*form.EditPageNo, c.typed);
        EXPECT_EQ(form.ActiveViewer().PageIndex(), c.expectedIndex)
            << "typed '" << c.typed.toStdString() << "'";
        EXPECT_EQ(form.EditPageNo->text(), c.typed) << "the box keeps what is typed";
    }
    EXPECT_EQ(form.ActiveViewer().CurrentPageNumber(), 6);
}

TEST(PreviewForm, PageButtonsInSingleAndMultipleMode)
{
    struct Case {
        const char* what;
        bool multiple;
        int start;
        QToolButton* TRLPreviewForm::*button;
        int expected;
    };
    const Case cases[] = {
        { "next", false, 0, &TRLPreviewForm::SpeedButtonNext, 1 },
        { "prior", false, 2, &TRLPreviewForm::SpeedButtonPrior, 1 },
        { "first", false, 4, &TRLPreviewForm::SpeedButtonFirst, 0 },
        { "last", false, 0, &TRLPreviewForm::SpeedButtonLast, 6 },
        { "next, multiple", true, 0, &TRLPreviewForm::SpeedButtonNext, 3 },
        { "prior, multiple", true, 5, &TRLPreviewForm::SpeedButtonPrior, 2 },
        { "first, multiple", true, 5, &TRLPreviewForm::SpeedButtonFirst, 0 },
        { "last, multiple", true, 0, &TRLPreviewForm::SpeedButtonLast, 4 },
    };
    const auto pages = MakeNumberedPages(7, 5);
    for (const Case& c : cases) {
        const TFormCloser closer { OpenPreview(*pages->Storage) };
        TRLPreviewForm& form = *closer.Form;
        form.ActiveViewer().SetMultipleMode(c.multiple);
        form.ActiveViewer().GotoPageIndex(c.start);
        QTest::mouseClick(form.*c.button, Qt::LeftButton);
        EXPECT_EQ(form.ActiveViewer().PageIndex(), c.expected) << c.what;
        EXPECT_EQ(form.EditPageNo->text(), QString::number(c.expected + 1)) << c.what;
    }
}

TEST(PreviewForm, HeldPageButtonRepeatsAfterHalfASecond)
{
    const auto pages = MakeNumberedPages(40);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    QTest::mousePress(form.SpeedButtonNext, Qt::LeftButton);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 1) << "one page at once";
    QTest::qWait(300);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 1) << "no repeat before 500 ms";
    QTest::qWait(900);
    const int moved = form.ActiveViewer().PageIndex();
    EXPECT_GE(moved, 2) << "repeats once held long enough";
    QTest::mouseRelease(form.SpeedButtonNext, Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), moved) << "stops when released";
}

TEST(PreviewForm, SplitViewToggledTwice)
{
    const auto pages = MakeNumberedPages(3);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    const QWidget* splitter = form.ActiveViewer().parentWidget();
    QTest::mouseClick(form.SpeedButtonViews, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(form.ViewerCount(), 2);
    EXPECT_EQ(form.Viewer(1).Pages(), pages->Storage) << "the same store";
    EXPECT_EQ(pages->Storage->UserCount(), 2);
    EXPECT_NEAR(form.Viewer(0).height(), form.Viewer(1).height(), 3) << "the height is shared";
    // Entering the second viewer makes it the active one.
    QTest::mouseClick(form.Viewer(1).viewport(), Qt::LeftButton);
    EXPECT_EQ(form.ActiveViewerIndex(), 1);
    EXPECT_TRUE(form.Viewer(1).Active());
    EXPECT_FALSE(form.Viewer(0).Active());
    QTest::mouseClick(form.SpeedButtonViews, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(form.ViewerCount(), 1);
    EXPECT_EQ(form.ActiveViewerIndex(), 0) << "the removed viewer was active";
    EXPECT_TRUE(form.Viewer(0).Active());
    EXPECT_EQ(form.Viewer(0).size(), splitter->size()) << "one viewer fills the container";
    EXPECT_EQ(pages->Storage->UserCount(), 1);
}

TEST(PreviewForm, KeyboardTableActsOnTheActiveViewer)
{
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expectedPage;
        int expectedVertical;
        int expectedHorizontal;
    };
    // Start: page 3 of 6 (index 2), zoom 200, both bars at 50.
    const Case cases[] = {
        { "Page Down", Qt::Key_PageDown, {}, 3, 0, 0 },
        { "Page Up", Qt::Key_PageUp, {}, 1, 0, 0 },
        { "Ctrl+End", Qt::Key_End, Qt::ControlModifier, 5, 0, 0 },
        { "Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, 0, 0, 0 },
        { "Down", Qt::Key_Down, {}, 2, 60, 50 },
        { "Up", Qt::Key_Up, {}, 2, 40, 50 },
        { "Left", Qt::Key_Left, {}, 2, 50, 40 },
        { "Right", Qt::Key_Right, {}, 2, 50, 60 },
        { "Home", Qt::Key_Home, {}, 2, 50, 0 },
        { "Ctrl+Page Up", Qt::Key_PageUp, Qt::ControlModifier, 2, 0, 50 },
    };
    const auto pages = MakeNumberedPages(6);
    for (const Case& c : cases) {
        const TFormCloser closer { OpenPreview(*pages->Storage) };
        TRLPreviewForm& form = *closer.Form;
        TRLPreview& viewer = form.ActiveViewer();
        viewer.SetZoomFactor(200);
        viewer.GotoPageIndex(2);
        viewer.verticalScrollBar()->setValue(50);
        viewer.horizontalScrollBar()->setValue(50);
        // Sent to the viewer: the window sees the key first.
        QTest::keyClick(&viewer, c.key, c.modifiers);
        EXPECT_EQ(viewer.PageIndex(), c.expectedPage) << c.what;
        EXPECT_EQ(viewer.verticalScrollBar()->value(), c.expectedVertical) << c.what;
        EXPECT_EQ(viewer.horizontalScrollBar()->value(), c.expectedHorizontal) << c.what;
    }
}

TEST(PreviewForm, TextFieldsKeepTheirEditingKeys)
{
    const auto pages = MakeNumberedPages(6);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    TRLPreview& viewer = form.ActiveViewer();
    viewer.SetZoomFactor(200);
    viewer.horizontalScrollBar()->setValue(50);
    viewer.verticalScrollBar()->setValue(50);
    QLineEdit* zoomEdit = form.ComboBoxZoom->lineEdit();
    for (QLineEdit* field : { form.EditPageNo, zoomEdit }) {
        const std::string name = field == zoomEdit ? "zoom box" : "page box";
        field->setText(QStringLiteral("123"));
        field->setCursorPosition(1);
        QTest::keyClick(field, Qt::Key_Home);
        EXPECT_EQ(field->cursorPosition(), 0) << name;
        QTest::keyClick(field, Qt::Key_End);
        EXPECT_EQ(field->cursorPosition(), 3) << name;
        QTest::keyClick(field, Qt::Key_Left);
        EXPECT_EQ(field->cursorPosition(), 2) << name;
        QTest::keyClick(field, Qt::Key_Right);
        EXPECT_EQ(field->cursorPosition(), 3) << name;
        EXPECT_EQ(viewer.horizontalScrollBar()->value(), 50) << name;
        EXPECT_EQ(viewer.verticalScrollBar()->value(), 50) << name;
    }
    // Up and Down in the zoom box step through its items, not the page.
    zoomEdit->setFocus();
    form.ComboBoxZoom->setCurrentIndex(2);
    QTest::keyClick(zoomEdit, Qt::Key_Down);
    EXPECT_EQ(form.ComboBoxZoom->currentIndex(), 3);
    EXPECT_EQ(viewer.ZoomFactor(), 100) << "the item chosen by the arrow applies";
    // Page keys with Ctrl still page the viewer from a field.
    QTest::keyClick(form.EditPageNo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(viewer.PageIndex(), 5);
}

TEST(PreviewForm, CtrlShortcutsZoomPrintAndSave)
{
    const auto pages = MakeNumberedPages(2);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    TRLPreview& viewer = form.ActiveViewer();
    viewer.SetZoomFactor(100);
    QTest::keyClick(&viewer, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(viewer.ZoomFactor(), 110);
    QTest::keyClick(&viewer, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(viewer.ZoomFactor(), 120);
    QTest::keyClick(&viewer, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(viewer.ZoomFactor(), 110);
    EXPECT_EQ(form.ComboBoxZoom->currentText(), QStringLiteral("110%"));
    viewer.ZoomMultiplePages();
    QTest::keyClick(&viewer, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(viewer.ZoomFactor(), 100);
    EXPECT_FALSE(viewer.MultipleMode());
    QString printTitle;
    WithModalWindow([&] { QTest::keyClick(&viewer, Qt::Key_P, Qt::ControlModifier); },
        [&](QWidget& modal) {
            printTitle = modal.windowTitle();
            modal.close();
        });
    EXPECT_FALSE(printTitle.isEmpty()) << "Ctrl+P opens the print dialog";
    QString saveTitle;
    WithModalWindow([&] { QTest::keyClick(form.EditPageNo, Qt::Key_S, Qt::ControlModifier); },
        [&](QWidget& modal) {
            saveTitle = modal.windowTitle();
            modal.close();
        });
    EXPECT_FALSE(saveTitle.isEmpty()) << "Ctrl+S opens the save dialog";
    EXPECT_NE(printTitle, saveTitle);
}

TEST(PreviewForm, EscClosesAndTheStateIsRemembered)
{
    const auto pages = MakeNumberedPages(2);
    DefaultPreviewOptions().WindowState = wsMaximized;
    QPointer<TRLPreviewForm> form = OpenPreview(*pages->Storage);
    ASSERT_TRUE(form);
    EXPECT_EQ(pages->Storage->UserCount(), 1);
    QTest::keyClick(form->EditPageNo, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()) << "closing frees the window";
    EXPECT_EQ(pages->Storage->UserCount(), 0) << "its viewer unlinked the store";
    EXPECT_EQ(DefaultPreviewOptions().WindowState, wsNormal);
    DefaultPreviewOptions().WindowState = wsMaximized;
}

TEST(PreviewForm, FindNextAcrossPagesThenNotFound)
{
    const auto pages = MakePreviewPages({
        { QStringLiteral("Item 1"), QStringLiteral("Total parcial") },
        { QStringLiteral("Item 2") },
        { QStringLiteral("TOTAL GERAL") },
    });
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    QTest::keyClick(form.EditPageNo, Qt::Key_F, Qt::ControlModifier);
    TfrmRLFindDialog* find = form.FindWindow();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Procurar"));
    QTest::keyClicks(find->EditTextToFind, QStringLiteral("total"));
    QTest::mouseClick(find->BitBtnFindNext, Qt::LeftButton);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 0);
    EXPECT_EQ(form.ActiveViewer().FoundObject(), 1);
    QTest::mouseClick(find->BitBtnFindNext, Qt::LeftButton);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 2) << "continues on a later page";
    EXPECT_EQ(form.EditPageNo->text(), QStringLiteral("3"));
    const QString message
        = MessageBoxTextOf([find] { QTest::mouseClick(find->BitBtnFindNext, Qt::LeftButton); });
    EXPECT_EQ(message, QStringLiteral("Não encontrado"));
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 2) << "the view stays";
    EXPECT_EQ(form.ActiveViewer().FoundPage(), 2) << "the last hit stays marked";
    // Match case finds nothing in lower case; upwards finds the first page's text again.
    find->CheckBoxMatchCase->setChecked(true);
    EXPECT_EQ(find->Options(), TRLFindOptions(TRLFindOption::foMatchCase));
    find->CheckBoxMatchCase->setChecked(false);
    find->RadioButtonUp->setChecked(true);
    EXPECT_EQ(find->Options(), TRLFindOptions(TRLFindOption::foBackward));
    QTest::mouseClick(find->BitBtnFindNext, Qt::LeftButton);
    EXPECT_EQ(form.ActiveViewer().PageIndex(), 0);
    QTest::mouseClick(find->BitBtnCancel, Qt::LeftButton);
    EXPECT_FALSE(find->isVisible());
}

TEST(PreviewForm, FindWindowLayout)
{
    TfrmRLFindDialog find;
    EXPECT_TRUE(find.BitBtnFindNext->isDefault());
    EXPECT_EQ(find.RadioGroupDirection->title(), QStringLiteral(" Direção "));
    EXPECT_TRUE(find.RadioButtonDown->isChecked());
    EXPECT_EQ(find.LabelTextToFind->text(), QStringLiteral("Te&xto:"));
    EXPECT_EQ(find.Options(), 0u);
    find.CheckBoxWholeWords->setChecked(true);
    EXPECT_EQ(find.Options(), TRLFindOptions(TRLFindOption::foWholeWords));
    EXPECT_EQ(MessageBoxTextOf([&find] { find.FindNext(); }), QStringLiteral("Não encontrado"))
        << "no handler";
}

TEST(PreviewForm, ToolbarCaptionsHintsAndAccelerators)
{
    const auto pages = MakeNumberedPages(1);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    struct Case {
        QToolButton* button;
        QString text;
        QString hint;
        int left;
    };
    const Case cases[] = {
        { form.SpeedButtonPrint, QStringLiteral("&Imprimir"), QStringLiteral("Imprimir (Ctrl+P)"), 1 },
        { form.SpeedButtonSave, QStringLiteral("&Salvar"), QStringLiteral("Salvar em disco (Ctrl+S)"), 51 },
        { form.SpeedButtonSend, QStringLiteral("&Enviar"), QStringLiteral("Enviar para"), 101 },
        { form.SpeedButtonSetup, QString(), QStringLiteral("Configurar impressora"), 162 },
        { form.SpeedButtonFirst, QString(), QStringLiteral("Primeira página (Ctrl+Home)"), 195 },
        { form.SpeedButtonPrior, QString(), QStringLiteral("Página anterior (PgUp)"), 217 },
        { form.SpeedButtonNext, QString(), QStringLiteral("Próxima página (PgDown)"), 378 },
        { form.SpeedButtonLast, QString(), QStringLiteral("Última página (Ctrl+End)"), 400 },
        { form.SpeedButtonZoomDown, QString(), QStringLiteral("Diminuir o zoom (Ctrl+-)"), 433 },
        { form.SpeedButtonZoomUp, QString(), QStringLiteral("Aumentar o zoom (Ctrl++)"), 455 },
        { form.SpeedButtonViews, QString(), QStringLiteral("Dividir a tela"), 632 },
        { form.SpeedButtonEdit, QString(), QStringLiteral("Editar"), 663 },
        { form.SpeedButtonClose, QStringLiteral("&Fechar"), QStringLiteral("Fechar (Esc)"), 695 },
        { form.SpeedButtonThumbnails, QString(), QString::fromUtf8("Miniaturas das páginas"), 755 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.button->text(), c.text) << c.hint.toStdString();
        EXPECT_EQ(c.button->toolTip(), c.hint) << c.hint.toStdString();
        EXPECT_EQ(c.button->x(), c.left) << c.hint.toStdString();
        EXPECT_TRUE(c.button->text().isEmpty() == !c.button->icon().isNull()) << "a picture or a caption";
    }
    EXPECT_FALSE(form.SpeedButtonSend->isEnabled());
    EXPECT_TRUE(form.SpeedButtonEdit->isCheckable());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Pré-visualização"));
    EXPECT_TRUE(form.SpeedButtonAbout->toolTip().startsWith(QStringLiteral("QuirelReport 0.6")));
}

TEST(PreviewForm, CaptionAccelerators)
{
    struct Case {
        QStringList captions;
        QStringList expected;
    };
    const Case cases[] = {
        { { u"Imprimir"_s, u"Fechar"_s, u"Salvar"_s, u"Enviar"_s },
            { u"&Imprimir"_s, u"&Fechar"_s, u"&Salvar"_s, u"&Enviar"_s } },
        { { u"Print"_s, u"Close"_s, u"Save"_s, u"Send"_s },
            { u"&Print"_s, u"&Close"_s, u"&Save"_s, u"S&end"_s } },
        { { u"Imprimir"_s, u"Cerrar"_s, u"Guardar"_s, u"Enviar"_s },
            { u"&Imprimir"_s, u"&Cerrar"_s, u"&Guardar"_s, u"&Enviar"_s } },
        { { u"Ébano"_s, u"ÉB"_s, u"..9"_s, u""_s }, { u"É&bano"_s, u"ÉB"_s, u"..&9"_s, u""_s } },
        { { u"ab"_s, u"ba"_s, u"AB"_s }, { u"&ab"_s, u"&ba"_s, u"AB"_s } },
    };
    for (const Case& c : cases) {
        QStringList captions = c.captions;
        std::vector<QString*> pointers;
        for (QString& caption : captions)
            pointers.push_back(&caption);
        AddCaptionAccelerators(pointers);
        EXPECT_EQ(captions, c.expected) << c.captions.join(u',').toStdString();
    }
}

TEST(PreviewForm, PreviewPagesAppliesTheOptions)
{
    const auto pages = MakeNumberedPages(2);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    options.Caption = QStringLiteral("Pedido 12");
    options.Zoom = 50;
    options.BorderIcons = biSystemMenu;
    options.FormStyle = fsStayOnTop;
    const TFormCloser closer { PreviewPages(*pages->Storage, false, options) };
    TRLPreviewForm& form = *closer.Form;
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Pedido 12"));
    EXPECT_EQ(form.ActiveViewer().ZoomFactor(), 50);
    EXPECT_EQ(form.ComboBoxZoom->currentText(), QStringLiteral("50%"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.ActiveViewer().Pages(), pages->Storage);
}

TEST(PreviewForm, DefaultOptions)
{
    const TRLPreviewWindowOptions defaults;
    EXPECT_EQ(defaults.WindowState, wsMaximized);
    EXPECT_EQ(defaults.FormStyle, fsNormal);
    EXPECT_EQ(defaults.Position, poDesigned);
    EXPECT_EQ(defaults.BorderIcons, TRLBorderIcons(biSystemMenu | biMinimize | biMaximize));
    EXPECT_TRUE(defaults.Caption.isEmpty());
    EXPECT_EQ(defaults.Zoom, 100);
    EXPECT_EQ(DefaultDesignedPosition(), QPoint(195, 181));
}

TEST(PreviewForm, DefaultFileNameFromTheTitle)
{
    struct Case {
        QString title;
        QString expected;
    };
    const QString here = QDir::currentPath() + QLatin1Char('/');
    const Case cases[] = {
        { QStringLiteral("Pedido: 12/24"), here + QStringLiteral("Pedido 1224") },
        { QStringLiteral("  a*b?c\"d<e>f|g\\h  "), here + QStringLiteral("abcdefgh") },
        { QStringLiteral("x\ty") + QChar(127) + QChar(31), here + QStringLiteral("xy") },
        { QStringLiteral("Ordem nº 5 – Ação"), here + QStringLiteral("Ordem nº 5 – Ação") },
        { QStringLiteral("   "), QString() },
        { QStringLiteral("/:*"), QString() },
        { QStringLiteral(".."), QString() },
        { QStringLiteral("../x"), here + QStringLiteral("..x") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PreviewFileName(c.title), c.expected) << c.title.toStdString();
}

TEST(PreviewForm, FindKeysNeedControl)
{
    const auto pages = MakeNumberedPages(1);
    const TFormCloser closer { OpenPreview(*pages->Storage) };
    TRLPreviewForm& form = *closer.Form;
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool handled;
        bool findOpen;
    };
    const Case cases[] = {
        { Qt::Key_F, {}, false, false },
        { Qt::Key_F3, {}, false, false },
        { Qt::Key_A, Qt::ControlModifier, false, false },
        { Qt::Key_F3, Qt::ControlModifier, true, true },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(form.HandleKey(c.key, c.modifiers), c.handled) << "key " << c.key;
        EXPECT_EQ(form.FindWindow() != nullptr && form.FindWindow()->isVisible(), c.findOpen)
            << "key " << c.key;
    }
    QTest::keyClicks(form.EditPageNo, QStringLiteral("f"));
    EXPECT_EQ(form.EditPageNo->text(), QStringLiteral("1f")) << "a plain F reaches the page box";
}
