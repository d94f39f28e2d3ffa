#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

/// An ordered name=value list; names compare without regard to case.
class TRLMacros {
public:
    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    bool Contains(QStringView name) const;
    /// The value, or empty when the name is missing.
    QString Value(QStringView name) const;
    /// Replaces the value of an existing name, else appends.
    void SetValue(const QString& name, const QString& value);
    void Clear() { m_items.clear(); }

    /// "name=value" lines, in order.
    QStringList Strings() const;
    /// Appends one "name=value" line; a line without '=' is a name with an empty value.
    void AddString(QStringView line);

    /// Integer value; a missing or unparsable entry gives `fallback`.
    int IntValue(QStringView name, int fallback) const;
    void SetIntValue(const QString& name, int value);
    /// Millimetres: fixed notation with four decimals and a point; negative values are -1;
    /// a missing or unparsable entry gives `fallback`.
    double MillimetreValue(QStringView name, double fallback) const;
    void SetMillimetreValue(const QString& name, double value);

    bool operator==(const TRLMacros&) const = default;

private:
    std::vector<std::pair<QString, QString>> m_items;
};
