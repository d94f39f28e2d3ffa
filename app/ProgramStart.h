#pragma once

#include <QStringList>

/// What ordemcompra and quirel do before their Qt application exists.

/// The arguments after the program's name, in the locale's encoding.
QStringList ArgumentsAfterProgram(int argc, char** argv);

/// True when neither a window platform was chosen (QT_QPA_PLATFORM) nor a display is at hand
/// (DISPLAY, WAYLAND_DISPLAY): a window would make Qt abort the process.
bool NoWindowPlatform();

/// Runs without a display on Qt's offscreen platform: outputs need fonts, never a window.
void UseOffscreenPlatformWithoutDisplay();
