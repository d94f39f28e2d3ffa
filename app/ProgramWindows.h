#pragma once

#include <QString>

class TForm1;

/// "Impressão Ordem Compra": the caption of the program's message boxes.
QString ApplicationTitle();

/// Registers the library's Qt windows (progress, preview, print dialog, and the preparation
/// error box captioned with ApplicationTitle). Needs the application object.
void RegisterProgramWindows();

/// Gives the form its input box and message box, and the preview its proposed save name.
void ConnectFormWindows(TForm1& form);

/// A modal error box captioned with ApplicationTitle.
void ShowProgramError(const QString& message);
