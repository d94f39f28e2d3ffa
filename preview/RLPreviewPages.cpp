#include "preview/RLPreviewPages.h"

#include "preview/RLPreview.h"
#include "preview/RLPreviewForm.h"

#include <QDir>
#include <QScreen>

using enum TRLBorderIcon;
using enum TRLFormPosition;
using enum TRLFormStyle;
using enum TRLWindowState;

namespace {
constexpr QPoint kDesignedPosition { 195, 181 };
constexpr char16_t kDelete = 127;
constexpr char16_t kFirstPrintable = 32;
const QString kForbiddenInFileName = QStringLiteral("\"*/:<>?\\|");

Qt::WindowFlags BorderFlags(TRLBorderIcons icons, TRLFormStyle style)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons & biSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (icons & biMinimize)
        flags |= Qt::WindowMinimizeButtonHint;
    if (icons & biMaximize)
        flags |= Qt::WindowMaximizeButtonHint;
    if (icons & biHelp)
        flags |= Qt::WindowContextHelpButtonHint;
    if (style == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

void PlaceWindow(TRLPreviewForm& form, TRLFormPosition position)
{
    switch (position) {
    case poDesigned:
        form.move(kDesignedPosition);
        break;
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (const QScreen* screen = form.screen())
            form.move(screen->availableGeometry().center() - QPoint(form.width() / 2, form.height() / 2));
        break;
    case poDefault:
    case poDefaultPosOnly:
    case poDefaultSizeOnly:
        break;
    }
}

Qt::WindowStates QtWindowState(TRLWindowState state)
{
    switch (state) {
    case wsMaximized:
        return Qt::WindowMaximized;
    case wsMinimized:
        return Qt::WindowMinimized;
    case wsNormal:
        break;
    }
    return Qt::WindowNoState;
}
}

TRLPreviewWindowOptions& DefaultPreviewOptions()
{
    static TRLPreviewWindowOptions options;
    return options;
}

TRLPreviewWindowOptions PreviewWindowOptions(const TRLPreviewOptions& options)
{
    TRLPreviewWindowOptions window;
    window.FormStyle = options.FormStyle;
    window.Position = options.Position;
    window.WindowState = options.WindowState;
    window.BorderIcons = options.BorderIcons;
    window.HelpFile = options.HelpFile;
    window.HelpContext = options.HelpContext;
    window.Caption = options.Caption;
    return window;
}

QPoint DefaultDesignedPosition()
{
    return kDesignedPosition;
}

TRLPreviewForm* PreviewPages(TRLGraphicStorage& pages, bool modal, const TRLPreviewWindowOptions& options)
{
    auto* form = new TRLPreviewForm();
    form->SetPages(&pages);
    form->ActiveViewer().SetZoomFactor(options.Zoom);
    form->ShowZoom();
    PlaceWindow(*form, options.Position);
    form->setWindowFlags(BorderFlags(options.BorderIcons, options.FormStyle));
    form->setWindowState(QtWindowState(options.WindowState));
    form->DocumentName = options.DocumentName;
    form->setProperty("HelpFile", options.HelpFile);
    form->setProperty("HelpContext", options.HelpContext);
    if (!options.Caption.isEmpty())
        form->setWindowTitle(options.Caption);
    if (modal) {
        // exec() frees the window when it closes (it deletes itself on close).
        form->exec();
        return nullptr;
    }
    if (form->isVisible()) {
        form->raise();
        form->activateWindow();
    } else {
        form->show();
    }
    return form;
}

QString PreviewFileName(const QString& title)
{
    QString name;
    for (const QChar character : title.trimmed()) {
        const char16_t code = character.unicode();
        if (code < kFirstPrintable || code == kDelete || kForbiddenInFileName.contains(character))
            continue;
        name += character;
    }
    // A name of dots alone would point at a directory.
    if (name.count(QLatin1Char('.')) == name.size())
        return {};
    return QDir::current().absoluteFilePath(name);
}

QString ProposedSaveFileName(const QString& title, const QString& documentName, const QString& extension)
{
    QString name = PreviewFileName(title);
    if (name.isEmpty())
        name = PreviewFileName(documentName);
    return name.isEmpty() ? name : name + extension;
}
