#pragma once

/// @file
/// The number and date conventions the formatting routines follow, taken from the locale at
/// start-up.

#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>

/// The locale's number and date conventions in the form the formatting routines read them.
/// Date and time formats use the platform's codes (d m y h n s z, "/" and ":"; see FormatDateTime).
struct TFormatSettings {
    /// What a "." and a "," of a numeric picture print as.
    ///@{
    QString DecimalSeparator = QStringLiteral(".");
    QString ThousandSeparator = QStringLiteral(",");
    ///@}
    /// What a "/" and a ":" of a date format print as.
    ///@{
    QString DateSeparator = QStringLiteral("/");
    QString TimeSeparator = QStringLiteral(":");
    ///@}
    /// The formats behind the codes ddddd, dddddd, t and tt.
    ///@{
    QString ShortDateFormat = QStringLiteral("m/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    QString ShortTimeFormat = QStringLiteral("h:nn ampm");
    QString LongTimeFormat = QStringLiteral("h:nn:ss ampm");
    ///@}
    /// The words the ampm code prints.
    ///@{
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    ///@}
    /// January first; the names mmm and mmmm print.
    ///@{
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    ///@}
    /// Sunday first; the names ddd and dddd print.
    ///@{
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
    ///@}

    /// Separators from `numbers`, date and time formats and names from `dates`.
    static TFormatSettings FromLocales(const QLocale& numbers, const QLocale& dates);
};

/// The settings every formatting routine uses by default; those of the C locale until start-up.
/// Set at start-up (and by tests), read from any thread afterwards.
///@{
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
///@}
/// Start-up: numbers follow LC_ALL, LC_NUMERIC, LANG (the first set); dates follow LC_ALL,
/// LC_TIME, LANG. QLocale's default becomes the numbers' locale, so that Qt's own conversions
/// agree with ours.
void InitializeFormatSettings();

/// The Qt locale of a POSIX locale name ("pt_BR.UTF-8", "de_DE@euro"); C for "C", "POSIX" and "".
QLocale LocaleOfPosixName(QStringView name);
/// A Qt date/time format ("dd/MM/yyyy", "h:mm:ss AP t") in the platform's codes
/// ("dd/mm/yyyy", "h:nn:ss ampm"); the time zone is dropped, literal letters are quoted.
QString PlatformDateTimeFormat(QStringView qtFormat);
