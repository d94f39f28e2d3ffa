#pragma once

#include <QFlags>
#include <QString>

/// @file
/// How a report's preview window looks; the preview layer turns these into window settings.

/// Whether a report's preview takes the shared defaults (DefaultPreviewOptions) or its own options.
enum class TRLPreviewDefaults { pdUseDefaults, pdIgnoreDefaults };
/// Window style of the preview; only fsStayOnTop changes anything, the others show a normal window.
enum class TRLFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
/// Where the preview window opens: poDesigned at a fixed place (DefaultDesignedPosition);
/// poScreenCenter, poDesktopCenter, poMainFormCenter and poOwnerFormCenter centred on its screen;
/// poDefault, poDefaultPosOnly and poDefaultSizeOnly where the window system puts it.
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
/// The preview window's state when it opens: normal, minimized or maximized.
enum class TRLWindowState { wsNormal, wsMinimized, wsMaximized };
/// Title bar buttons of the preview window; biSystemMenu brings the window menu and close button.
enum class TRLBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
/// A set of TRLBorderIcon.
Q_DECLARE_FLAGS(TRLBorderIcons, TRLBorderIcon)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLBorderIcons)

/// How the report's preview window looks when the report does not use the global defaults.
class TRLPreviewOptions {
public:
    /// The caption in the user's language, the other options at their initial values.
    TRLPreviewOptions();

    /// pdIgnoreDefaults makes the preview use these options instead of the shared ones.
    TRLPreviewDefaults Defaults = TRLPreviewDefaults::pdUseDefaults;
    /// Stored only: the preview is always modal.
    bool ShowModal = false;
    /// See TRLFormStyle, TRLFormPosition, TRLWindowState and TRLBorderIcon.
    ///@{
    TRLFormStyle FormStyle = TRLFormStyle::fsNormal;
    TRLFormPosition Position = TRLFormPosition::poDesigned;
    TRLWindowState WindowState = TRLWindowState::wsMaximized;
    TRLBorderIcons BorderIcons = TRLBorderIcon::biSystemMenu;
    ///@}
    /// Carried to the window as properties; the library shows no help.
    ///@{
    QString HelpFile;
    int HelpContext = 0;
    ///@}
    /// Initially the localized "Pré-visualização".
    QString Caption;
    /// Stored with the layout only when it differs from the localized default.
    bool CaptionStored() const;

    /// Copies every option of `source`.
    void Assign(const TRLPreviewOptions& source);
};
