#include "support/FloatFormat.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TFormatSettings SettingsOf(const char* locale)
{
    const QLocale qtLocale(QString::fromLatin1(locale));
    return TFormatSettings::FromLocales(qtLocale, qtLocale);
}

} // namespace

// Expected texts: the purchase order's pictures, checked against Python's "{:,.2f}" with the
// separators swapped for pt_BR (except 999999.995, which rounds as it reads).
TEST(FloatFormat, OrderPicturesFollowTheLocale)
{
    struct Case {
        const char* locale;
        const char* picture;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        { "pt_BR", "###,###0.00", 1234.5, "1.234,50" },
        { "pt_BR", "###,###0.000", 1234.5, "1.234,500" },
        { "pt_BR", "###,###0.000", 0, "0,000" },
        { "pt_BR", "###,###0.00", 1234567.891, "1.234.567,89" },
        { "pt_BR", "###,###0.00", 0.5, "0,50" },
        { "pt_BR", "###,###0.00", -1234.5, "-1.234,50" },
        { "pt_BR", "###,###0.00", 999999.995, "1.000.000,00" },
        { "pt_BR", "###,###0.000", 12.3456, "12,346" },
        { "en_US", "###,###0.00", 1234.5, "1,234.50" },
        { "en_US", "###,###0.000", 1234567.891, "1,234,567.891" },
        { "en_US", "###,###0.00", 12.3456, "12.35" },
        { "en_US", "###,###0.00", 123, "123.00" },
        { "en_US", "###,###0.00", 123456, "123,456.00" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.picture), c.value, SettingsOf(c.locale)),
            QString::fromUtf8(c.expected))
            << c.locale << " " << c.picture << " " << c.value;
    }
}

// The platform's documented table of pictures for 1234, -1234, 0.5 and 0.
TEST(FloatFormat, DocumentedPictureTable)
{
    struct Case {
        const char* picture;
        const char* expected[4];
    };
    const Case cases[] = {
        { "", { "1234", "-1234", "0.5", "0" } },
        { "0", { "1234", "-1234", "1", "0" } },
        { "0.00", { "1234.00", "-1234.00", "0.50", "0.00" } },
        { "#.##", { "1234", "-1234", ".5", "" } },
        { "#,##0.00", { "1,234.00", "-1,234.00", "0.50", "0.00" } },
        { "#,##0.00;(#,##0.00)", { "1,234.00", "(1,234.00)", "0.50", "0.00" } },
        { "#,##0.00;;Zero", { "1,234.00", "-1,234.00", "0.50", "Zero" } },
        { "0.000E+00", { "1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00" } },
        { "#.###E-0", { "1.234E3", "-1.234E3", "5E-1", "0E0" } },
    };
    const double values[4] = { 1234, -1234, 0.5, 0 };
    const TFormatSettings settings = SettingsOf("en_US");
    for (const Case& c : cases) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(FormatFloat(QString::fromLatin1(c.picture), values[i], settings),
                QString::fromLatin1(c.expected[i]))
                << "picture \"" << c.picture << "\" value " << values[i];
        }
    }
}

TEST(FloatFormat, PictureDetails)
{
    struct Case {
        const char* picture;
        double value;
        const char* expected;
        const char* what;
    };
    const Case cases[] = {
        { "0.00", 0.125, "0.13", "half away from zero" },
        { "0.00", -0.125, "-0.13", "negative half away from zero" },
        { "0", 2.5, "3", "integer half" },
        { "0.00", 1.005, "1.01", "rounds as it reads, not as its binary neighbour" },
        { "0.00", 2.675, "2.68", "rounds as it reads (2)" },
        { "0.00", -0.001, "0.00", "rounds to zero: no sign" },
        { "0.0;(0.0);nil", -0.01, "nil", "rounds to zero: zero section" },
        { "0.##", 1, "1", "no decimals: no separator" },
        { "0.0#", 1.25, "1.25", "optional decimal" },
        { "0.0#", 1.2, "1.2", "forced decimal only" },
        { "000", 7, "007", "leading zeros" },
        { "#,##0", 1234567, "1,234,567", "thousands" },
        { "0", 1e20, "100000000000000000000", "large fixed" },
        { "$ #,##0.00 'USD'", 1234.5, "$ 1,234.50 USD", "literals and quoted text" },
        { "\"a;b\" 0", 3, "a;b 3", "quoted section separator" },
        { "0.00;-0.00;", 0, "0.00", "empty zero section uses the first" },
        { "00.0E+0", 12345, "12.3E+3", "two integer digits" },
        { "0.0E+00", 0.000123, "1.2E-04", "small exponent" },
        { "0.0E+00 'x'", 1234, "1.2E+03 x", "text after the exponent" },
        { "0E+000000", 5, "5E+0000", "at most four exponent digits" },
        { "0.0e-0", 1234, "1.2e3", "lower-case exponent" },
        { "E", 5, "E5", "E without a sign is text" },
    };
    const TFormatSettings settings = SettingsOf("en_US");
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.picture), c.value, settings), QString::fromUtf8(c.expected))
            << c.what;
}

TEST(FloatFormat, SpecialValues)
{
    EXPECT_EQ(FormatFloat(u"0.00", std::numeric_limits<double>::quiet_NaN()), u"NAN"_qs);
    EXPECT_EQ(FormatFloat(u"0.00", std::numeric_limits<double>::infinity()), u"INF"_qs);
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), u"-INF"_qs);
}

// Expected texts agree with Python's "%.15g", written in the platform's exponent form.
TEST(FloatFormat, FloatToStrHasFifteenSignificantDigits)
{
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        { 0, "0" },
        { 1.0 / 3, "0.333333333333333" },
        { 0.1 + 0.2, "0.3" },
        { 1234.5, "1234.5" },
        { -2.5, "-2.5" },
        { 123456789012345, "123456789012345" },
        { 1e15, "1E15" },
        { 1.5e20, "1.5E20" },
        { 0.0001, "0.0001" },
        { 1e-5, "1E-5" },
        { -1.25e-7, "-1.25E-7" },
        { 2.0 / 3, "0.666666666666667" },
    };
    const TFormatSettings settings = SettingsOf("en_US");
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value, settings), QString::fromLatin1(c.expected)) << c.value;
    EXPECT_EQ(FloatToStr(1234.5, SettingsOf("pt_BR")), u"1234,5"_qs);
}

TEST(FloatFormat, TryStrToFloatReadsTheLocalesForm)
{
    struct Case {
        const char* locale;
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        { "pt_BR", "1234,5", true, 1234.5 },
        { "pt_BR", " -0,25 ", true, -0.25 },
        { "pt_BR", "1e3", true, 1000 },
        { "pt_BR", "1.234,5", false, 0 },
        { "pt_BR", "1234.5", false, 0 },
        { "en_US", "1234.5", true, 1234.5 },
        { "en_US", "+.5", true, 0.5 },
        { "en_US", "1,234.5", false, 0 },
        { "en_US", "", false, 0 },
        { "en_US", "abc", false, 0 },
        { "en_US", "1e", false, 0 },
        { "en_US", "inf", false, 0 },
        { "en_US", "0x10", false, 0 },
        { "en_US", "1e999", false, 0 },
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(TryStrToFloat(QString::fromLatin1(c.text), value, SettingsOf(c.locale)), c.ok)
            << c.locale << " \"" << c.text << "\"";
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.locale << " \"" << c.text << "\"";
        }
    }
}
