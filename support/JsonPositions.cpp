#include "support/JsonPositions.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

/// Deeper than QJsonDocument accepts; a guard, not a limit a valid text meets.
constexpr int kMaxDepth = 2048;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

TTextPosition TextPositionAt(const QByteArray& text, qsizetype offset)
{
    TTextPosition position;
    const qsizetype end = std::clamp<qsizetype>(offset, 0, text.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++position.Line;
            position.Column = 1;
        } else if (!IsContinuationByte(text[i])) {
            ++position.Column;
        }
    }
    return position;
}

TJsonPositions::TJsonPositions(const QByteArray& json)
    : m_text(json)
{
    Value(QString(), 0);
}

TTextPosition TJsonPositions::At(const QString& pointer) const
{
    QString path = pointer;
    while (true) {
        const auto found = m_offsets.constFind(path);
        if (found != m_offsets.constEnd())
            return TextPositionAt(m_text, found.value());
        if (path.isEmpty())
            return {};
        path.truncate(path.lastIndexOf(u'/'));
    }
}

QString TJsonPositions::Child(const QString& pointer, const QString& key)
{
    QString escaped = key;
    escaped.replace(u'~', QStringLiteral("~0")).replace(u'/', QStringLiteral("~1"));
    return pointer + u'/' + escaped;
}

QString TJsonPositions::Child(const QString& pointer, qsizetype index)
{
    return pointer + u'/' + QString::number(index);
}

void TJsonPositions::SkipBlanks()
{
    while (m_at < m_text.size()
        && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
        ++m_at;
}

void TJsonPositions::Value(const QString& pointer, int depth)
{
    SkipBlanks();
    if (m_at >= m_text.size() || depth > kMaxDepth)
        return;
    if (!m_offsets.contains(pointer))
        m_offsets.insert(pointer, m_at);
    switch (m_text[m_at]) {
    case '{':
        Object(pointer, depth + 1);
        break;
    case '[':
        Array(pointer, depth + 1);
        break;
    case '"':
        String();
        break;
    default:
        while (m_at < m_text.size() && !QByteArrayView(",]} \t\r\n").contains(m_text[m_at]))
            ++m_at;
        break;
    }
}

void TJsonPositions::Object(const QString& pointer, int depth)
{
    ++m_at;
    while (true) {
        SkipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] != '"') {
            ++m_at; // the closing brace
            return;
        }
        const qsizetype keyAt = m_at;
        const QString member = Child(pointer, String());
        m_offsets.insert(member, keyAt);
        SkipBlanks();
        ++m_at; // the colon
        Value(member, depth);
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == ',')
            ++m_at;
    }
}

void TJsonPositions::Array(const QString& pointer, int depth)
{
    ++m_at;
    for (qsizetype index = 0;; ++index) {
        SkipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] == ']') {
            ++m_at;
            return;
        }
        Value(Child(pointer, index), depth);
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == ',')
            ++m_at;
    }
}

QString TJsonPositions::String()
{
    const qsizetype start = m_at++;
    bool escaped = false;
    while (m_at < m_text.size() && m_text[m_at] != '"') {
        if (m_text[m_at] == '\\') {
            escaped = true;
            ++m_at;
        }
        ++m_at;
    }
    ++m_at;
    const QByteArray raw = m_text.mid(start, m_at - start);
    if (!escaped)
        return QString::fromUtf8(raw.mid(1, raw.size() - 2));
    // Escapes decoded as the parser decodes them, so that pointers match the parsed keys.
    return QJsonDocument::fromJson('[' + raw + ']').array().at(0).toString();
}
