#include "support/RLParserTokens.h"

#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Tok {
    QString text;
    TRLParserTokenKind kind;
    int position;
};

std::vector<Tok> Tokens(const QString& text)
{
    TRLParserTokenizer tokenizer(text);
    std::vector<Tok> tokens;
    for (;;) {
        const TRLParserToken token = tokenizer.Next();
        if (token.Kind == tkNull)
            return tokens;
        tokens.push_back({ token.Text, token.Kind, token.Position });
    }
}

} // namespace

TEST(ParserTokens, KindsTextsAndPositions)
{
    struct Case {
        QString text;
        std::vector<Tok> expected;
    };
    const Case cases[] = {
        { u"DSOrdem.CODIGO"_s, { { u"DSOrdem.CODIGO"_s, tkIdentifier, 1 } } },
        { u"_a1 b"_s, { { u"_a1"_s, tkIdentifier, 1 }, { u"b"_s, tkIdentifier, 5 } } },
        { u"1.5e+3"_s, { { u"1.5e+3"_s, tkValue, 1 } } },
        { u"2E-7"_s, { { u"2E-7"_s, tkValue, 1 } } },
        { u"1e5+3"_s, { { u"1e5"_s, tkValue, 1 }, { u"+"_s, tkOperator, 4 }, { u"3"_s, tkValue, 5 } } },
        { u"2-1"_s, { { u"2"_s, tkValue, 1 }, { u"-"_s, tkOperator, 2 }, { u"1"_s, tkValue, 3 } } },
        { u"a <= b"_s,
            { { u"a"_s, tkIdentifier, 1 }, { u"<="_s, tkOperator, 3 }, { u"b"_s, tkIdentifier, 6 } } },
        { u"a > = b"_s,
            { { u"a"_s, tkIdentifier, 1 }, { u">="_s, tkOperator, 3 }, { u"b"_s, tkIdentifier, 7 } } },
        { u"<>"_s, { { u"<>"_s, tkOperator, 1 } } },
        { u"< x"_s, { { u"<"_s, tkOperator, 1 }, { u"x"_s, tkIdentifier, 3 } } },
        { u"x:=1"_s, { { u"x"_s, tkIdentifier, 1 }, { u":="_s, tkOperator, 2 }, { u"1"_s, tkValue, 4 } } },
        { u": @"_s, { { u":"_s, tkUnknown, 1 }, { u"@"_s, tkUnknown, 3 } } },
        { u"!#&*+-/=\\^|"_s,
            { { u"!"_s, tkOperator, 1 }, { u"#"_s, tkOperator, 2 }, { u"&"_s, tkOperator, 3 },
                { u"*"_s, tkOperator, 4 }, { u"+"_s, tkOperator, 5 }, { u"-"_s, tkOperator, 6 },
                { u"/"_s, tkOperator, 7 }, { u"="_s, tkOperator, 8 }, { u"\\"_s, tkOperator, 9 },
                { u"^"_s, tkOperator, 10 }, { u"|"_s, tkOperator, 11 } } },
        { u"Not AND or DIV"_s,
            { { u"!"_s, tkOperator, 1 }, { u"&"_s, tkOperator, 5 }, { u"|"_s, tkOperator, 9 },
                { u"/"_s, tkOperator, 12 } } },
        { u"begin END"_s, { { u"{"_s, tkCodeEnter, 1 }, { u"}"_s, tkCodeExit, 7 } } },
        { u"(,){;}"_s,
            { { u"("_s, tkEnterBrackets, 1 }, { u","_s, tkBracketsBreak, 2 }, { u")"_s, tkExitBrackets, 3 },
                { u"{"_s, tkCodeEnter, 4 }, { u";"_s, tkCodeBreak, 5 }, { u"}"_s, tkCodeExit, 6 } } },
        { u" \t\r\n x"_s, { { u"x"_s, tkIdentifier, 6 } } },
        { u"android"_s, { { u"android"_s, tkIdentifier, 1 } } },
    };
    for (const Case& c : cases) {
        const std::vector<Tok> actual = Tokens(c.text);
        ASSERT_EQ(actual.size(), c.expected.size()) << c.text.toStdString();
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_EQ(actual[i].text, c.expected[i].text) << c.text.toStdString() << " token " << i;
            EXPECT_EQ(actual[i].kind, c.expected[i].kind) << c.text.toStdString() << " token " << i;
            EXPECT_EQ(actual[i].position, c.expected[i].position) << c.text.toStdString() << " token " << i;
        }
    }
}

TEST(ParserTokens, QuotedStrings)
{
    struct Case {
        QString text;
        QString value;
    };
    const Case cases[] = {
        { u"'it''s'"_s, u"it's"_s },
        { u"\"say \"\"hi\"\"\""_s, u"say \"hi\""_s },
        { u"'a \"b\" c'"_s, u"a \"b\" c"_s },
        { u"\"it's\""_s, u"it's"_s },
        { u"'a' 'b'"_s, u"a'b"_s },
        { u"'open"_s, u"open"_s },
        { u"''"_s, QString() },
    };
    for (const Case& c : cases) {
        const std::vector<Tok> actual = Tokens(c.text);
        ASSERT_EQ(actual.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(actual[0].kind, tkLiteral) << c.text.toStdString();
        EXPECT_EQ(actual[0].text, c.value) << c.text.toStdString();
    }
    const std::vector<Tok> two = Tokens(u"'a' + 'b'"_s);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two[2].text, u"b"_s);
}

TEST(ParserTokens, MalformedNumbersNameThePosition)
{
    struct Case {
        QString text;
        QString message;
    };
    const Case cases[] = {
        { u"1.2.3"_s, u"Incorrect number format at 4!"_s },
        { u"x + 1e5.2"_s, u"Incorrect number format at 8!"_s },
        { u"1e5e2"_s, u"Incorrect number format at 4!"_s },
        { u"1e+-2"_s, u"Incorrect number format at 4!"_s },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf([&] { Tokens(c.text); }), c.message) << c.text.toStdString();
    }
}

TEST(ParserTokens, NumberValues)
{
    struct Case {
        QString text;
        double value;
    };
    const Case cases[] = { { u"42"_s, 42 }, { u"1.5e+3"_s, 1500 }, { u"2E-2"_s, 0.02 }, { u"3."_s, 3 },
        { u"1.e2"_s, 100 }, { u"007"_s, 7 }, { u"0.25"_s, 0.25 } };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NumberTokenValue(c.text, 1), c.value) << c.text.toStdString();
    // An exponent letter without digits passes the reader but is no number: the error names the
    // position where the digits should be.
    EXPECT_EQ(ErrorOf([] { NumberTokenValue(u"1e", 5); }), u"Incorrect number format at 7!"_s);
    EXPECT_EQ(ErrorOf([] { NumberTokenValue(u"1e+", 1); }), u"Incorrect number format at 4!"_s);
    EXPECT_EQ(ErrorOf([] { NumberTokenValue(u"1e999", 1); }), u"Incorrect number format at 6!"_s);
}
