#include "support/Variant.h"
#include "platform/Exceptions.h"
#include "support/Clock.h"
#include "support/FormatSettings.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using TBinary = TVariant (*)(const TVariant&, const TVariant&);

TVariant Add(const TVariant& a, const TVariant& b)
{
    return a + b;
}
TVariant Subtract(const TVariant& a, const TVariant& b)
{
    return a - b;
}
TVariant Multiply(const TVariant& a, const TVariant& b)
{
    return a * b;
}
TVariant Divide(const TVariant& a, const TVariant& b)
{
    return a / b;
}

std::string Describe(const TVariant& value)
{
    if (value.IsArray())
        return "Array";
    return value.TypeName().toStdString() + " " + value.ToString().toStdString();
}

/// Runs the test body with the number and date conventions of `locale`.
class VariantIn : public testing::Test {
protected:
    void UseLocale(const char* locale)
    {
        const QLocale qtLocale(QString::fromLatin1(locale));
        SetFormatSettings(TFormatSettings::FromLocales(qtLocale, qtLocale));
    }
    void TearDown() override { InitializeFormatSettings(); }
};

} // namespace

TEST_F(VariantIn, Arithmetic)
{
    UseLocale("en_US");
    const qint64 max = std::numeric_limits<qint64>::max();
    struct Case {
        TBinary op;
        TVariant a;
        TVariant b;
        TVariant expected;
        const char* what;
    };
    const Case cases[] = {
        { Add, 2, 3, 5, "integers" },
        { Add, u"ab", u"cd", u"abcd", "strings concatenate" },
        { Add, u"1.5", 2, 3.5, "string meets number as number" },
        { Add, 2, u"1.5", 3.5, "number meets string as number" },
        { Subtract, u"5", u"2", 3.0, "two strings subtract as numbers" },
        { Add, TVariant(), 4, 4, "empty counts as 0" },
        { Add, TVariant(), u"x", u"x", "empty counts as empty text" },
        { Add, TVariant::Null(), 4, TVariant::Null(), "null spreads" },
        { Multiply, u"abc", TVariant::Null(), TVariant::Null(), "null wins over a bad string" },
        { Add, true, 1, 0, "true is -1" },
        { Add, qint64(max), 1, 9223372036854775808.0, "overflow becomes a double" },
        { Multiply, qint64(max), 2, 18446744073709551614.0, "multiplication overflow" },
        { Subtract, qint64(-max - 1), 1, -9223372036854775809.0, "subtraction overflow" },
        { Divide, 7, 2, 3.5, "division is real" },
        { Divide, 6, 3, 2.0, "division gives a double" },
        { Multiply, 1.5, 2, 3.0, "double times integer" },
        { Add, TVariant::FromDateTime(1.0), 1, TVariant::FromDateTime(2.0), "date plus days is a date" },
        { Subtract, TVariant::FromDateTime(5.0), TVariant::FromDateTime(2.0), 3.0,
            "date difference is days" },
    };
    for (const Case& c : cases) {
        const TVariant result = c.op(c.a, c.b);
        EXPECT_TRUE(IsIdentical(result, c.expected))
            << c.what << ": got " << Describe(result) << ", expected " << Describe(c.expected);
    }
}

TEST_F(VariantIn, StringsAreNumbersInTheCurrentLocale)
{
    UseLocale("pt_BR");
    EXPECT_TRUE(IsIdentical(TVariant(u"1,5") + TVariant(1), TVariant(2.5)));
    EXPECT_EQ(TVariant(2.5).ToString(), u"2,5"_qs);
    EXPECT_EQ(ErrorOf([] { TVariant(u"1.5") + TVariant(1); }),
        u"Could not convert variant of type (String) into type (Double)"_qs);
    EXPECT_EQ(TVariant::FromDateTime(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9))).ToString(),
        u"05/03/2026 14:07:09"_qs);
    EXPECT_EQ(TVariant::FromDateTime(QDateTime(QDate(2026, 3, 5), QTime(0, 0))).ToString(), u"05/03/2026"_qs);
    EXPECT_EQ(TVariant::FromDateTime(0.5).ToString(), u"12:00:00"_qs);
    EXPECT_EQ(FromDateTimeValue(TVariant(u"05/03/2026 14:07").ToDateTime()),
        QDateTime(QDate(2026, 3, 5), QTime(14, 7)));
    EXPECT_EQ(TVariant(u"2,5").ToDateTime(), 2.5);
    EXPECT_EQ(ErrorOf([] { TVariant(u"ontem").ToDateTime(); }),
        u"Could not convert variant of type (String) into type (Date)"_qs);
}

TEST(Variant, IntegerDivisionAndLogic)
{
    struct Case {
        TBinary op;
        TVariant a;
        TVariant b;
        TVariant expected;
        const char* what;
    };
    const Case cases[] = {
        { IntDiv, 7, 2, 3, "div truncates" },
        { IntDiv, -7, 2, -3, "div truncates toward zero" },
        { Mod, -7, 2, -1, "mod keeps the dividend's sign" },
        { IntDiv, 7.5, 2, 4, "operands round half to even first (7.5 is 8)" },
        { IntDiv, u"9", 2, 4, "numeric string" },
        { IntDiv, TVariant::Null(), 2, TVariant::Null(), "null spreads" },
        { And, true, false, false, "logical and" },
        { Or, true, false, true, "logical or" },
        { Xor, true, true, false, "logical xor" },
        { And, true, u"true", true, "string meets Boolean as Boolean" },
        { And, 12, 10, 8, "bitwise and" },
        { Or, 12, 3, 15, "bitwise or" },
        { Xor, 12, 10, 6, "bitwise xor" },
    };
    for (const Case& c : cases) {
        const TVariant result = c.op(c.a, c.b);
        EXPECT_TRUE(IsIdentical(result, c.expected)) << c.what << ": got " << Describe(result);
    }
    EXPECT_TRUE(IsIdentical(Not(TVariant(true)), TVariant(false)));
    EXPECT_TRUE(IsIdentical(Not(TVariant(0)), TVariant(-1)));
    EXPECT_TRUE(IsIdentical(Not(TVariant::Null()), TVariant::Null()));
    EXPECT_TRUE(IsIdentical(-TVariant(5), TVariant(-5)));
    EXPECT_TRUE(IsIdentical(-TVariant(std::numeric_limits<qint64>::min()), TVariant(9223372036854775808.0)));
}

TEST(Variant, ErrorsNameTheTypes)
{
    const TVariant array = TVariant::Array({ 1, 2 });
    struct Case {
        std::function<void()> action;
        const char16_t* message;
    };
    const Case cases[] = {
        { [] { TVariant(u"abc").ToDouble(); },
            u"Could not convert variant of type (String) into type (Double)" },
        { [] { TVariant::Null().ToInt(); }, u"Could not convert variant of type (Null) into type (Integer)" },
        { [] { TVariant(u"maybe").ToBool(); },
            u"Could not convert variant of type (String) into type (Boolean)" },
        { [] { TVariant(1e300).ToInt(); },
            u"Overflow while converting variant of type (Double) into type (Integer)" },
        { [] { TVariant::Null().ConvertedTo(TVariantType::String); },
            u"Could not convert variant of type (Null) into type (String)" },
        { [&] { array + TVariant(1); }, u"Invalid variant operation: (Array) + (Integer)" },
        { [&] { Not(array); }, u"Invalid variant operation: not (Array)" },
        { [] { IntDiv(1, 0); }, u"Division by zero" },
        { [] { Mod(1, 0); }, u"Division by zero" },
        { [] { TVariant(1) / TVariant(0); }, u"Floating point division by zero" },
        { [&] { array.ElementAt(2); }, u"Variant array index 2 out of bounds (0 to 1)" },
        { [] { TVariant(u"abc") < TVariant(1); },
            u"Could not convert variant of type (String) into type (Double)" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.action), QString::fromUtf16(c.message));
}

TEST(Variant, Comparison)
{
    struct Case {
        TVariant a;
        TVariant b;
        int expected;
        const char* what;
    };
    const Case cases[] = {
        { 1, 2, -1, "integers" },
        { 2.5, 2, 1, "double and integer" },
        { u"10", 9, 1, "string meets number as number" },
        { u"10", u"9", -1, "two strings compare as text" },
        { u"abc", u"abc", 0, "equal texts" },
        { TVariant::Null(), TVariant::Null(), 0, "null equals null" },
        { TVariant::Null(), -1000, -1, "null before everything" },
        { u"", TVariant::Null(), 1, "even the empty text" },
        { TVariant(), 0, 0, "empty is 0" },
        { TVariant(), u"", 0, "empty is the empty text" },
        { false, true, -1, "false before true" },
        { qint64(9007199254740993), qint64(9007199254740992), 1, "integers beyond double precision" },
        { TVariant::FromDateTime(2.0), 1, 1, "date as its day count" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compare(c.a, c.b), c.expected) << c.what;
        EXPECT_EQ(Compare(c.b, c.a), -c.expected) << c.what << " (swapped)";
        EXPECT_EQ(c.a == c.b, c.expected == 0) << c.what;
    }
    EXPECT_TRUE(TVariant(u"1") == TVariant(1));
    EXPECT_FALSE(IsIdentical(TVariant(1), TVariant(1.0)));
}

TEST_F(VariantIn, Conversions)
{
    UseLocale("en_US");
    EXPECT_EQ(TVariant(true).ToString(), u"True"_qs);
    EXPECT_EQ(TVariant(false).ToString(), u"False"_qs);
    EXPECT_EQ(TVariant::Null().ToString(), QString());
    EXPECT_EQ(TVariant().ToString(), QString());
    EXPECT_EQ(TVariant(qint64(-42)).ToString(), u"-42"_qs);
    EXPECT_TRUE(TVariant(u" TRUE ").ToBool());
    EXPECT_FALSE(TVariant(u"0").ToBool());
    EXPECT_EQ(TVariant(true).ToInt(), -1);
    EXPECT_EQ(TVariant(2.5).ToInt(), 2);
    EXPECT_EQ(TVariant(3.5).ToInt(), 4);
    EXPECT_EQ(TVariant(u" 12 ").ToInt(), 12);
    EXPECT_EQ(TVariant(u"2.5").ToInt(), 2);
    EXPECT_TRUE(IsIdentical(TVariant(u"7").ConvertedTo(TVariantType::Integer), TVariant(7)));
    EXPECT_TRUE(IsIdentical(TVariant(7).ConvertedTo(TVariantType::String), TVariant(u"7")));
    EXPECT_EQ(TVariant::Array({ 1, u"x" }).ElementAt(1).ToString(), u"x"_qs);
    EXPECT_TRUE(TVariant(1.0).IsNumeric());
    EXPECT_FALSE(TVariant(u"1").IsNumeric());

    // Text is read in the locale's own notation.
    UseLocale("pt_BR");
    EXPECT_EQ(TVariant(u"2,5").ToInt(), 2);
    EXPECT_EQ(TVariant(u"1234,5").ToDouble(), 1234.5);
    EXPECT_THROW(TVariant(u"2.5").ToInt(), EReportError);
}
