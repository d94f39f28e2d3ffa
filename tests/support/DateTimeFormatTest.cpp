#include "support/DateTimeFormat.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings SettingsOf(const char* locale)
{
    const QLocale qtLocale(QString::fromLatin1(locale));
    return TFormatSettings::FromLocales(qtLocale, qtLocale);
}

// A Thursday afternoon.
const QDateTime kAfternoon(QDate(2026, 3, 5), QTime(14, 7, 9, 45));
const QDateTime kMidnight(QDate(2026, 3, 5), QTime(0, 0));

} // namespace

TEST(DateTimeFormat, LocaleFormatsInThePlatformsCodes)
{
    struct Case {
        const char* locale;
        QString TFormatSettings::*field;
        const char* expected;
    };
    const Case cases[] = {
        { "pt_BR", &TFormatSettings::ShortDateFormat, "dd/mm/yyyy" },
        { "pt_BR", &TFormatSettings::LongDateFormat, "dddd, d \"de\" mmmm \"de\" yyyy" },
        { "pt_BR", &TFormatSettings::LongTimeFormat, "hh:nn:ss" },
        { "en_US", &TFormatSettings::ShortDateFormat, "m/d/yy" },
        { "en_US", &TFormatSettings::LongTimeFormat, "h:nn:ss ampm" },
        { "de_DE", &TFormatSettings::ShortDateFormat, "dd.mm.yy" },
        { "es_ES", &TFormatSettings::LongTimeFormat, "h:nn:ss" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsOf(c.locale).*c.field, QString::fromLatin1(c.expected)) << c.locale;
    EXPECT_EQ(SettingsOf("de_DE").DateSeparator, u"."_qs);
    EXPECT_EQ(SettingsOf("pt_BR").DecimalSeparator, u","_qs);
    EXPECT_EQ(SettingsOf("pt_BR").ThousandSeparator, u"."_qs);
}

TEST(DateTimeFormat, QtFormatConversion)
{
    struct Case {
        const char16_t* qt;
        const char16_t* platform;
    };
    const Case cases[] = {
        { u"dd/MM/yyyy", u"dd/mm/yyyy" },
        { u"HH:mm:ss t", u"hh:nn:ss" },
        { u"H:mm:ss (t)", u"h:nn:ss" },
        { u"h:mm AP", u"h:nn ampm" },
        { u"d 'de' MMMM", u"d \"de\" mmmm" },
        { u"'o''clock' h", u"\"o'clock\" h" },
        { u"yy.M.d", u"yy.m.d" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlatformDateTimeFormat(QString::fromUtf16(c.qt)), QString::fromUtf16(c.platform))
            << QString::fromUtf16(c.qt).toStdString();
}

// English names and numbers agree with Python's strftime for the same instant.
TEST(DateTimeFormat, Codes)
{
    struct Case {
        const char* locale;
        const char16_t* format;
        QDateTime value;
        const char16_t* expected;
    };
    const Case cases[] = {
        { "en_US", u"dd/mm/yyyy", kAfternoon, u"05/03/2026" },
        { "en_US", u"d/m/yy", kAfternoon, u"5/3/26" },
        { "en_US", u"hh:nn:ss", kAfternoon, u"14:07:09" },
        { "en_US", u"hh:mm", kAfternoon, u"14:07" },
        { "en_US", u"h:mm:ss", kAfternoon, u"14:07:09" },
        { "en_US", u"mm", kAfternoon, u"03" },
        { "en_US", u"ddd dddd", kAfternoon, u"Thu Thursday" },
        { "en_US", u"mmm mmmm", kAfternoon, u"Mar March" },
        { "en_US", u"h:nn am/pm", kAfternoon, u"2:07 pm" },
        { "en_US", u"hh:nn AM/PM", kMidnight, u"12:00 AM" },
        { "en_US", u"h a/p", kAfternoon, u"2 p" },
        { "en_US", u"h ampm", kAfternoon, u"2 PM" },
        { "en_US", u"s.zzz z", kAfternoon, u"9.045 45" },
        { "en_US", u"YYYY-MM-DD", kAfternoon, u"2026-03-05" },
        { "en_US", u"'dd' \"mm\" yy", kAfternoon, u"dd mm 26" },
        { "pt_BR", u"c", kAfternoon, u"05/03/2026 14:07:09" },
        { "pt_BR", u"", kMidnight, u"05/03/2026" },
        { "pt_BR", u"ddddd", kAfternoon, u"05/03/2026" },
        { "pt_BR", u"dddddd", kAfternoon, u"quinta-feira, 5 de março de 2026" },
        { "pt_BR", u"mmmm", kAfternoon, u"março" },
        { "pt_BR", u"tt", kAfternoon, u"14:07:09" },
        { "de_DE", u"ddddd", kAfternoon, u"05.03.26" },
        { "de_DE", u"dd/mm", kAfternoon, u"05.03" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(QString::fromUtf16(c.format), c.value, SettingsOf(c.locale)),
            QString::fromUtf16(c.expected))
            << c.locale << " \"" << QString::fromUtf16(c.format).toStdString() << "\"";
    }
}

TEST(DateTimeFormat, TryStrToDateTime)
{
    struct Case {
        const char* locale;
        const char16_t* text;
        bool ok;
        QDateTime expected;
    };
    const int thisYear = QDate::currentDate().year();
    const Case cases[] = {
        { "pt_BR", u"05/03/2026", true, QDateTime(QDate(2026, 3, 5), QTime(0, 0)) },
        { "pt_BR", u" 5/3/2026 14:07:09 ", true, QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)) },
        { "pt_BR", u"5/3/26", true, QDateTime(QDate(2026, 3, 5), QTime(0, 0)) },
        { "pt_BR", u"5/3/75", true, QDateTime(QDate(1975, 3, 5), QTime(0, 0)) },
        { "pt_BR", u"5/3", true, QDateTime(QDate(thisYear, 3, 5), QTime(0, 0)) },
        { "pt_BR", u"14:07", true, QDateTime(QDate(1899, 12, 30), QTime(14, 7)) },
        { "pt_BR", u"31/02/2026", false, {} },
        { "pt_BR", u"05/03/2026 25:00", false, {} },
        { "pt_BR", u"amanhã", false, {} },
        { "pt_BR", u"", false, {} },
        { "en_US", u"3/5/2026 2:07 PM", true, QDateTime(QDate(2026, 3, 5), QTime(14, 7)) },
        { "en_US", u"3/5/2026 12:30 am", true, QDateTime(QDate(2026, 3, 5), QTime(0, 30)) },
        { "en_US", u"3/5/2026 13:00 PM", false, {} },
        { "en_US", u"3/5/2026 1:00 XM", false, {} },
        { "de_DE", u"05.03.2026 14:07:09.250", true, QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9, 250)) },
    };
    for (const Case& c : cases) {
        TDateTime value = -1;
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(TryStrToDateTime(text, value, SettingsOf(c.locale)), c.ok)
            << c.locale << " " << text.toStdString();
        if (c.ok) {
            EXPECT_EQ(FromDateTimeValue(value), c.expected) << c.locale << " " << text.toStdString();
        }
    }
}
