#pragma once

#include <QFlags>
#include <QString>

enum class TRLPreviewDefaults { pdUseDefaults, pdIgnoreDefaults };
enum class TRLFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TRLFormPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum class TRLWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TRLBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
Q_DECLARE_FLAGS(TRLBorderIcons, TRLBorderIcon)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLBorderIcons)

/// How the report's preview window looks when the report does not use the global defaults.
class TRLPreviewOptions {
public:
    TRLPreviewOptions();

    TRLPreviewDefaults Defaults = TRLPreviewDefaults::pdUseDefaults;
    /// Stored only: the preview is always modal.
    bool ShowModal = false;
    TRLFormStyle FormStyle = TRLFormStyle::fsNormal;
    TRLFormPosition Position = TRLFormPosition::poDesigned;
    TRLWindowState WindowState = TRLWindowState::wsMaximized;
    TRLBorderIcons BorderIcons = TRLBorderIcon::biSystemMenu;
    QString HelpFile;
    int HelpContext = 0;
    /// Initially the localized "Pré-visualização".
    QString Caption;
    /// Stored with the layout only when it differs from the localized default.
    bool CaptionStored() const;

    void Assign(const TRLPreviewOptions& source);
};
