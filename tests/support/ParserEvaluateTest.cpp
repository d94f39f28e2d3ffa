#include "support/RLExpressionParser.h"

#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct NumberCase {
    QString text;
    double value;
};

struct ErrorCase {
    QString text;
    QString message;
};

} // namespace

TEST(ParserEvaluate, ArithmeticPrioritiesAndGrouping)
{
    const NumberCase cases[] = {
        { u"1 + 2 * 3"_s, 7 },
        { u"(1 + 2) * 3"_s, 9 },
        { u"2 ^ 10"_s, 1024 },
        { u"10 - 4 - 3"_s, 9 },
        { u"100 / 10 / 5"_s, 50 },
        { u"10 - 4 + 3"_s, 9 },
        { u"2 ^ 3 ^ 2"_s, 512 },
        { u"2 * -3"_s, -6 },
        { u"-3 * 2"_s, -6 },
        { u"1 - -1"_s, 2 },
        { u"+4"_s, 4 },
        { u"7 div 2"_s, 3.5 },
        { u"2 * (3 + 4) - 1"_s, 13 },
        { u"2 * 3 - 1"_s, 5 },
        { u"1 - 2 * 3 - 4"_s, 1 - (6 - 4) },
        { u"1 + 2) * 3"_s, 3 },
        { u"{x := 2; x * 3}"_s, 6 },
        { u"{2} - 3"_s, -1 },
    };
    for (const NumberCase& c : cases) {
        TRLExpressionParser parser(nullptr);
        EXPECT_DOUBLE_EQ(parser.Evaluate(c.text).ToDouble(), c.value) << c.text.toStdString();
    }
    TRLExpressionParser parser(nullptr);
    EXPECT_NEAR(parser.Evaluate(u"27 \\ 3"_s).ToDouble(), 3.0, 1e-12);
    EXPECT_NEAR(parser.Evaluate(u"pi"_s).ToDouble(), 3.14159265358979, 1e-14);
    EXPECT_TRUE(parser.Evaluate(u""_s).IsEmpty());
    EXPECT_TRUE(parser.Evaluate(u"  @ "_s).IsEmpty());
}

TEST(ParserEvaluate, ComparisonsAndLogic)
{
    struct Case {
        QString text;
        bool value;
    };
    const Case cases[] = {
        { u"not true or true"_s, true },
        { u"not (true or true)"_s, false },
        { u"true and false"_s, false },
        { u"1 < 2"_s, true },
        { u"2 > 1"_s, true },
        { u"2 <= 2"_s, true },
        { u"2 >= 3"_s, false },
        { u"3 = 3"_s, true },
        { u"3 # 3"_s, false },
        { u"3 <> 4"_s, true },
        { u"'abc' = 'abc'"_s, true },
        { u"1 + 1 = 2"_s, true },
        { u"!false"_s, true },
    };
    for (const Case& c : cases) {
        TRLExpressionParser parser(nullptr);
        const TVariant result = parser.Evaluate(c.text);
        EXPECT_EQ(result.Type(), TVariantType::Boolean) << c.text.toStdString();
        EXPECT_EQ(result.ToBool(), c.value) << c.text.toStdString();
    }
}

TEST(ParserEvaluate, StringsAndBuiltIns)
{
    TRLExpressionParser parser(nullptr);
    EXPECT_EQ(parser.Evaluate(u"if(1 > 2, 'a', 'b')"_s).ToString(), u"b"_s);
    EXPECT_EQ(parser.Evaluate(u"'it''s ' + \"a \"\"test\"\"\""_s).ToString(), u"it's a \"test\""_s);
    EXPECT_TRUE(parser.Evaluate(u"null"_s).IsNull());
    EXPECT_TRUE(parser.Evaluate(u"null + 1"_s).IsNull());
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"minor(3, 1, 2)"_s).ToDouble(), 1);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"MAJOR(3, 7, 2)"_s).ToDouble(), 7);
    EXPECT_EQ(parser.Evaluate(u"major('b', 'c', 'a')"_s).ToString(), u"c"_s);
}

TEST(ParserEvaluate, IfEvaluatesOnlyTheChosenBranch)
{
    TRLExpressionParser parser(nullptr);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"if(true, 1, nowhere)"_s).ToDouble(), 1);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"if(1 > 2, a := 5, 2)"_s).ToDouble(), 2);
    EXPECT_EQ(parser.FindValue(u"a"), nullptr);
}

TEST(ParserEvaluate, VariablesPersistBetweenEvaluations)
{
    TRLExpressionParser parser(nullptr);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"{x := 5; x * 2}"_s).ToDouble(), 10);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"X"_s).ToDouble(), 5);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"x := x + 1"_s).ToDouble(), 6);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"x"_s).ToDouble(), 6);
    ASSERT_EQ(parser.Values().size(), 1u);
    // A variable shadows a built-in name.
    parser.Evaluate(u"pi := 3"_s);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"pi"_s).ToDouble(), 3);
    EXPECT_TRUE(parser.Evaluate(u"begin end"_s).IsEmpty());
    parser.Clear();
    EXPECT_EQ(ErrorOf([&] { parser.Evaluate(u"x"_s); }), u"Undefined identifier \"x\""_s);
}

TEST(ParserEvaluate, FailuresHaveTheirOwnMessages)
{
    const ErrorCase cases[] = {
        { u"if(1, 2)"_s, u"Wrong number of arguments"_s },
        { u"if"_s, u"Wrong number of arguments"_s },
        { u"3 := 4"_s, u"Left side cannot be Assigned"_s },
        { u"nothing_here"_s, u"Undefined identifier \"nothing_here\""_s },
        { u"minor"_s, u"Undefined identifier \"minor\""_s },
        { u"(1 + 2"_s, u"Brackets expected at 7!"_s },
        { u"(1 + 2;"_s, u"Brackets expected at 7!"_s },
        { u"(1, 2)"_s, u"Parameter list not suported at 3!"_s },
        { u"f(1, 2"_s, u"Brackets expected at 7!"_s },
        { u"{1 + 2"_s, u"Inline expected at 7!"_s },
        { u"{1, 2}"_s, u"Inline expected at 3!"_s },
        { u"1 + 1e"_s, u"Incorrect number format at 7!"_s },
        { u"1 *"_s, u"List index out of bounds (1)"_s },
        { u"1 / 0"_s, u"Floating point division by zero"_s },
        { u"8 \\ 0"_s, u"Floating point division by zero"_s },
    };
    for (const ErrorCase& c : cases) {
        TRLExpressionParser parser(nullptr);
        EXPECT_EQ(ErrorOf([&] { parser.Evaluate(c.text); }), c.message) << c.text.toStdString();
    }
}

TEST(ParserEvaluate, ArgumentsReachTheIdentifierEvents)
{
    TRLExpressionParser parser(nullptr);
    QString seenName;
    TVariant seenParams;
    parser.OnUnknown
        = [&](TRLExpressionParser*, const QString& name, const TVariant& params, TVariant& result) {
              seenName = name;
              seenParams = params;
              result = TVariant(u"answer"_s);
          };
    EXPECT_EQ(parser.Evaluate(u"Sum(1, 'two', 1 + 2)"_s).ToString(), u"answer"_s);
    EXPECT_EQ(seenName, u"Sum"_s);
    ASSERT_TRUE(seenParams.IsArray());
    ASSERT_EQ(seenParams.Elements().size(), 3u);
    EXPECT_EQ(seenParams.ElementAt(1).ToString(), u"two"_s);
    EXPECT_DOUBLE_EQ(seenParams.ElementAt(2).ToDouble(), 3);
    parser.Evaluate(u"Plain"_s);
    EXPECT_TRUE(seenParams.IsEmpty());
}

TEST(ParserEvaluate, ResolutionOrder)
{
    TRLExpressionParser parser(nullptr);
    parser.Evaluate(u"v := 'variable'"_s);
    QStringList calls;
    TRLParserResolvers resolvers;
    resolvers.Identifier = [&](const QString& name, const TVariant&) -> TVariant {
        calls << u"report:"_s + name;
        return name == u"field"_s ? TVariant(u"from report"_s) : TVariant();
    };
    parser.SetResolvers(resolvers);
    parser.OnIdentifier = [&](TRLExpressionParser*, const QString& name, const TVariant&, TVariant& result) {
        calls << u"event:"_s + name;
        if (name == u"first"_s)
            result = TVariant(u"from event"_s);
    };
    EXPECT_EQ(parser.Evaluate(u"first"_s).ToString(), u"from event"_s);
    EXPECT_EQ(parser.Evaluate(u"v"_s).ToString(), u"variable"_s);
    EXPECT_EQ(parser.Evaluate(u"true"_s).ToBool(), true);
    EXPECT_EQ(parser.Evaluate(u"field"_s).ToString(), u"from report"_s);
    EXPECT_EQ(calls,
        QStringList(
            { u"event:first"_s, u"event:v"_s, u"event:true"_s, u"event:field"_s, u"report:field"_s }));
}

TEST(ParserEvaluate, ExceptionsDuringEvaluationGoToTheHandler)
{
    TRLExpressionParser parser(nullptr);
    QString seen;
    parser.OnException = [&](TRLExpressionParser*, const std::exception& e, TVariant& result) {
        seen = QString::fromUtf8(e.what());
        result = TVariant(-1);
    };
    EXPECT_EQ(parser.Evaluate(u"1 / 0"_s).ToInt(), -1);
    EXPECT_EQ(seen, u"Floating point division by zero"_s);
    EXPECT_EQ(parser.Evaluate(u"unknown_name"_s).ToInt(), -1);
    EXPECT_EQ(seen, u"Undefined identifier \"unknown_name\""_s);
    // Parse errors always reach the caller.
    seen.clear();
    EXPECT_EQ(ErrorOf([&] { parser.Evaluate(u"(1"_s); }), u"Brackets expected at 3!"_s);
    EXPECT_TRUE(seen.isEmpty());
}

TEST(ParserEvaluate, TokenHooksMayRewriteTokens)
{
    TRLExpressionParser parser(nullptr);
    QStringList order;
    TRLParserResolvers resolvers;
    resolvers.Token = [&](QString& token, TRLParserTokenKind&) { order << u"report:"_s + token; };
    parser.SetResolvers(resolvers);
    parser.OnToken = [&](TRLExpressionParser*, QString& token, TRLParserTokenKind& kind) {
        order << u"event:"_s + token;
        if (token.compare(u"plus"_s, Qt::CaseInsensitive) == 0) {
            token = u"+"_s;
            kind = tkOperator;
        }
    };
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"2 PLUS 3"_s).ToDouble(), 5);
    EXPECT_EQ(order,
        QStringList(
            { u"report:2"_s, u"event:2"_s, u"report:PLUS"_s, u"event:PLUS"_s, u"report:3"_s, u"event:3"_s }));
}

TEST(ParserEvaluate, HostileTextsFailCleanly)
{
    const QString deepBrackets = QString(u'(').repeated(100000) + u'1' + QString(u')').repeated(100000);
    const QString longChain = u"1"_s + u"-1"_s.repeated(200000);
    const QString unaryChain = QString(u'-').repeated(200000) + u'1';
    const QString deepBlocks = QString(u'{').repeated(50000);
    for (const QString& text : { deepBrackets, longChain, unaryChain, deepBlocks }) {
        TRLExpressionParser parser(nullptr);
        EXPECT_TRUE(ErrorOf([&] { parser.Evaluate(text); }).startsWith(u"Expression nested too deeply at "_s))
            << text.left(20).toStdString();
    }
    // Within the limits a long formula still works.
    TRLExpressionParser parser(nullptr);
    EXPECT_DOUBLE_EQ(parser.Evaluate(u"1"_s + u"+1"_s.repeated(300)).ToDouble(), 301);

    QString doubling = u"{x := 'abcdefgh'"_s;
    for (int i = 0; i < 40; ++i)
        doubling += u"; x := x + x"_s;
    doubling += u'}';
    EXPECT_TRUE(ErrorOf([&] { parser.Evaluate(doubling); }).startsWith(u"Text of "_s));
}
