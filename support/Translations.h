#pragma once

#include "support/LocaleTexts.h"

/// Installs on the running application the translations of `language`: Qt's own catalogue (its
/// standard buttons, file and page-setup dialogs) and the program's catalogue of messages. Replaces
/// the ones installed before. Qt's texts are English without a catalogue. Needs a QCoreApplication;
/// without one it does nothing.
void InstallTranslations(TLanguage language);
/// Removes the installed translations, as at program end.
void RemoveTranslations();

/// The file of Qt's own catalogue for `language`, empty for English or when Qt's translations
/// are not installed.
QString QtCatalogueFile(TLanguage language);
/// The resource holding the program's catalogue for `language`.
QString ProgramCatalogueResource(TLanguage language);
