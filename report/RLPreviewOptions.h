#pragma once

#include <QString>

enum TRLPreviewDefaults { pdUseDefaults, pdIgnoreDefaults };
enum TRLFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TRLFormPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TRLWindowState { wsNormal, wsMinimized, wsMaximized };
enum TRLBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TRLBorderIcons = unsigned;

/// How the report's preview window looks when the report does not use the global defaults.
class TRLPreviewOptions {
public:
    TRLPreviewOptions();

    TRLPreviewDefaults Defaults = pdUseDefaults;
    /// Stored only: the preview is always modal.
    bool ShowModal = false;
    TRLFormStyle FormStyle = fsNormal;
    TRLFormPosition Position = poDesigned;
    TRLWindowState WindowState = wsMaximized;
    TRLBorderIcons BorderIcons = biSystemMenu;
    QString HelpFile;
    int HelpContext = 0;
    /// Initially the localized "Pré-visualização".
    QString Caption;
    /// Stored with the layout only when it differs from the localized default.
    bool CaptionStored() const;

    void Assign(const TRLPreviewOptions& source);
};
