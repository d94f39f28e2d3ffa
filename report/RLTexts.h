#pragma once

#include <QString>

/// The engine's user-visible texts, by their entry in the localized table.
namespace RLTexts {
QString NotFound();
QString NameAlreadyUsed();
QString InvalidName();
QString PreparationError();
QString PreparingReport();
QString Page();
QString PreviewCaption();
} // namespace RLTexts
