#pragma once

#include "report/RLPreviewOptions.h"

#include <QPoint>
#include <QString>

/// @file
/// Opening a preview window on a page store, and the file name its save dialog proposes.

class TRLGraphicStorage;
class TRLPreviewForm;

/// How a preview window is shown.
struct TRLPreviewWindowOptions {
    /// See TRLFormStyle, TRLFormPosition, TRLWindowState and TRLBorderIcon.
    ///@{
    TRLFormStyle FormStyle = TRLFormStyle::fsNormal;
    TRLFormPosition Position = TRLFormPosition::poDesigned;
    TRLWindowState WindowState = TRLWindowState::wsMaximized;
    TRLBorderIcons BorderIcons
        = TRLBorderIcon::biSystemMenu | TRLBorderIcon::biMinimize | TRLBorderIcon::biMaximize;
    ///@}
    /// Set as properties of the window; the library shows no help.
    ///@{
    QString HelpFile;
    int HelpContext = 0;
    ///@}
    /// Empty keeps the localized "Pré-visualização".
    QString Caption;
    /// Percent.
    double Zoom = 100.0;
    /// The name the save dialog proposes when the store has no title; empty proposes none.
    QString DocumentName;
};

/// The options a report that uses the defaults passes; the window state is replaced by the
/// state of the last preview window when it closes.
TRLPreviewWindowOptions& DefaultPreviewOptions();
/// The report's own options, for a report that ignores the defaults.
TRLPreviewWindowOptions PreviewWindowOptions(const TRLPreviewOptions& options);
/// The window's designed place on the screen.
QPoint DefaultDesignedPosition();

/// Opens a preview window on the store. Modal: shows it and returns nullptr once it is closed
/// (and freed). Otherwise returns the window, which frees itself when closed.
TRLPreviewForm* PreviewPages(TRLGraphicStorage& pages, bool modal, const TRLPreviewWindowOptions& options);

/// The save dialog's proposed file name for a store title: trimmed, without control
/// characters, DEL and " * / : < > ? \ |, as a full path under the current directory; empty
/// when nothing but dots is left.
QString PreviewFileName(const QString& title);
/// The save dialog's proposal: PreviewFileName of the title, else of the document name, with
/// the extension of the filter (".rpf" without one); empty when neither gives a name.
QString ProposedSaveFileName(const QString& title, const QString& documentName, const QString& extension);
