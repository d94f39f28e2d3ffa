#include "support/RLParserTokens.h"

#include "support/RLParserErrors.h"

#include <QLocale>
#include <cmath>

namespace {

constexpr QStringView kOperatorChars = u"!#&*+-/<=>\\^|";

struct WordOperator {
    QStringView word;
    QStringView symbol;
    TRLParserTokenKind kind;
};

constexpr WordOperator kWordOperators[] = {
    { u"not", u"!", tkOperator },
    { u"and", u"&", tkOperator },
    { u"or", u"|", tkOperator },
    { u"div", u"/", tkOperator },
    { u"begin", u"{", tkCodeEnter },
    { u"end", u"}", tkCodeExit },
};

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsIdentifierStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool IsExponentLetter(QChar c)
{
    return c == u'e' || c == u'E';
}

bool IsSign(QChar c)
{
    return c == u'+' || c == u'-';
}

} // namespace

TRLParserTokenizer::TRLParserTokenizer(QStringView text)
    : m_text(text)
{
}

TRLParserToken TRLParserTokenizer::Next()
{
    SkipBlanks();
    const int position = int(m_index) + 1;
    if (AtEnd())
        return { QString(), tkNull, position };
    const QChar c = m_text[m_index];
    if (IsIdentifierStart(c))
        return ReadIdentifier();
    if (IsDigit(c))
        return ReadNumber();
    if (c == u'"' || c == u'\'')
        return ReadString(c);
    if (kOperatorChars.contains(c))
        return ReadOperator(c);
    ++m_index;
    switch (c.unicode()) {
    case u'(':
        return { c, tkEnterBrackets, position };
    case u')':
        return { c, tkExitBrackets, position };
    case u',':
        return { c, tkBracketsBreak, position };
    case u'{':
        return { c, tkCodeEnter, position };
    case u';':
        return { c, tkCodeBreak, position };
    case u'}':
        return { c, tkCodeExit, position };
    case u':':
        if (Peek() == u'=') {
            ++m_index;
            return { QStringLiteral(":="), tkOperator, position };
        }
        break;
    default:
        break;
    }
    return { c, tkUnknown, position };
}

void TRLParserTokenizer::SkipBlanks()
{
    while (!AtEnd() && IsBlank(m_text[m_index]))
        ++m_index;
}

TRLParserToken TRLParserTokenizer::ReadIdentifier()
{
    const qsizetype start = m_index;
    while (!AtEnd()) {
        const QChar c = m_text[m_index];
        if (!(c.isLetter() || IsDigit(c) || c == u'_' || c == u'.'))
            break;
        ++m_index;
    }
    const QStringView word = m_text.sliced(start, m_index - start);
    for (const WordOperator& op : kWordOperators) {
        if (word.compare(op.word, Qt::CaseInsensitive) == 0)
            return { op.symbol.toString(), op.kind, int(start) + 1 };
    }
    return { word.toString(), tkIdentifier, int(start) + 1 };
}

TRLParserToken TRLParserTokenizer::ReadNumber()
{
    const qsizetype start = m_index;
    bool seenPoint = false;
    bool seenExponent = false;
    bool seenSign = false;
    while (!AtEnd()) {
        const QChar c = m_text[m_index];
        const int position = int(m_index) + 1;
        if (IsDigit(c)) {
        } else if (c == u'.') {
            if (seenPoint || seenExponent)
                RaiseIncorrectNumberFormat(position);
            seenPoint = true;
        } else if (IsExponentLetter(c)) {
            if (seenExponent)
                RaiseIncorrectNumberFormat(position);
            seenExponent = true;
        } else if (IsSign(c)) {
            // A sign belongs to the number only right after the exponent letter; elsewhere it is
            // the next operator (1e5+3 is a sum).
            const QChar previous = m_text[m_index - 1];
            if (IsSign(previous) && seenSign)
                RaiseIncorrectNumberFormat(position);
            if (!IsExponentLetter(previous))
                break;
            seenSign = true;
        } else {
            break;
        }
        ++m_index;
    }
    return { m_text.sliced(start, m_index - start).toString(), tkValue, int(start) + 1 };
}

TRLParserToken TRLParserTokenizer::ReadString(QChar quote)
{
    const int position = int(m_index) + 1;
    ++m_index;
    QString value;
    for (;;) {
        const qsizetype start = m_index;
        while (!AtEnd() && m_text[m_index] != quote)
            ++m_index;
        value += m_text.sliced(start, m_index - start);
        if (AtEnd())
            break;
        ++m_index;
        // A doubled quote, even with blanks between the two, stands for one quote character.
        const qsizetype afterQuote = m_index;
        SkipBlanks();
        if (Peek() != quote) {
            m_index = afterQuote;
            break;
        }
        value += quote;
        ++m_index;
    }
    return { value, tkLiteral, position };
}

TRLParserToken TRLParserTokenizer::ReadOperator(QChar first)
{
    const int position = int(m_index) + 1;
    ++m_index;
    if (first == u'<' || first == u'>') {
        const qsizetype afterOperator = m_index;
        SkipBlanks();
        const QChar next = Peek();
        if (next == u'=' || (first == u'<' && next == u'>')) {
            ++m_index;
            return { QString(first) + next, tkOperator, position };
        }
        m_index = afterOperator;
    }
    return { first, tkOperator, position };
}

double NumberTokenValue(QStringView text, int position)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        RaiseIncorrectNumberFormat(position + int(text.size()));
    return value;
}
