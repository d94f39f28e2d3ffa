#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

/// A line and a column in a text, both from 1; columns count characters, not bytes.
struct TTextPosition {
    int Line = 1;
    int Column = 1;
};

/// The line and column of `offset` (bytes from the start, clamped to the text) in UTF-8 `text`.
TTextPosition TextPositionAt(const QByteArray& text, qsizetype offset);

/// Where each value of a JSON text starts, by JSON pointer ("/components/3/properties/Caption";
/// an object member points at its key). QJsonDocument keeps no positions, so messages about a
/// parsed document find their line here. Expects text QJsonDocument accepted.
class TJsonPositions {
public:
    explicit TJsonPositions(const QByteArray& json);
    /// The position of `pointer`, or of the nearest enclosing value that has one.
    TTextPosition At(const QString& pointer) const;
    /// `pointer` with one more step: an object key (escaped as JSON pointers escape) or an index.
    static QString Child(const QString& pointer, const QString& key);
    static QString Child(const QString& pointer, qsizetype index);

private:
    void Value(const QString& pointer, int depth);
    void Object(const QString& pointer, int depth);
    void Array(const QString& pointer, int depth);
    QString String();
    void SkipBlanks();

    const QByteArray& m_text;
    qsizetype m_at = 0;
    QHash<QString, qsizetype> m_offsets;
};
