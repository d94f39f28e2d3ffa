#pragma once

#include "support/LocaleTextIds.h"

#include <QString>
#include <QStringView>

/// The languages of the library's user-visible texts.
enum class TLanguage { Portuguese, English, French, Spanish };

/// The language of a POSIX locale name ("pt_BR.UTF-8", "es", "C"): its primary language picks
/// Portuguese, Spanish or French; any other, "C", "POSIX" and the empty name give English.
TLanguage LanguageOfLocaleName(QStringView localeName);
/// The language of the user's locale: the first set of LC_ALL, LC_MESSAGES and LANG.
TLanguage LanguageFromEnvironment();

/// Copies the table of `language` into the live texts. Run once at start-up, before any report,
/// form or dialog exists; later locale changes do not switch the table.
void SelectLanguage(TLanguage language);
/// The language chosen by the user's locale (LanguageFromEnvironment).
void SelectLanguage();
/// Empties the live texts, as at program end.
void ClearLocaleTexts();

/// The live text number `n` (0 to 75); empty before start-up. Throws EReportError for another n.
QString LocaleText(int n);
QString LocaleText(TLocaleTextId id);
/// Text number `n` of a language's constant table, whatever the live selection.
QString LanguageText(TLanguage language, int n);
QString LanguageText(TLanguage language, TLocaleTextId id);

/// The log file path: the executable's directory and "ZAvu.log"; "zavu.log" before start-up.
QString LogFileName();
/// Names the log file beside the executable and deletes a stale copy (a failure to delete is
/// ignored: nothing ever writes to the log).
void InitializeLogFile();
/// Back to the bare name, as at program end.
void ClearLogFileName();
