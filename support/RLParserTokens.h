#pragma once

#include <QString>
#include <QStringView>

enum TRLParserTokenKind {
    tkNull, ///< end of the text
    tkUnknown,
    tkIdentifier,
    tkValue, ///< a number
    tkLiteral, ///< a quoted string, without its quotes
    tkOperator,
    tkEnterBrackets,
    tkExitBrackets,
    tkBracketsBreak,
    tkCodeEnter,
    tkCodeBreak,
    tkCodeExit
};

struct TRLParserToken {
    QString Text;
    TRLParserTokenKind Kind = tkNull;
    /// 1-based position of the token's first character; one past the text for tkNull.
    int Position = 0;
};

/// Splits an expression into tokens. Word operators (not, and, or, div, begin, end) come out as
/// their symbols; the token hooks are the parser's business.
class TRLParserTokenizer {
public:
    explicit TRLParserTokenizer(QStringView text);

    /// The next token; tkNull at the end, again and again. Throws EReportError for a malformed number.
    TRLParserToken Next();

private:
    void SkipBlanks();
    bool AtEnd() const { return m_index >= m_text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_text[m_index]; }
    TRLParserToken ReadIdentifier();
    TRLParserToken ReadNumber();
    TRLParserToken ReadString(QChar quote);
    TRLParserToken ReadOperator(QChar first);

    QStringView m_text;
    qsizetype m_index = 0;
};

/// The value of a number token read with "." as decimal point; throws the number-format error at
/// `position` when the text is not a number (an exponent without digits, "1e") or overflows.
double NumberTokenValue(QStringView text, int position);
