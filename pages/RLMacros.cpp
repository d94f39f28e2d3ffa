#include "pages/RLMacros.h"

#include <QLocale>

namespace {

constexpr QChar kSeparator = u'=';
constexpr int kMillimetreDecimals = 4;
/// Every negative millimetre value stands for "not given".
constexpr double kNegativeMillimetres = -1.0;

} // namespace

bool TRLMacros::Contains(QStringView name) const
{
    for (const auto& item : m_items) {
        if (item.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString TRLMacros::Value(QStringView name) const
{
    for (const auto& item : m_items) {
        if (item.first.compare(name, Qt::CaseInsensitive) == 0)
            return item.second;
    }
    return {};
}

void TRLMacros::SetValue(const QString& name, const QString& value)
{
    for (auto& item : m_items) {
        if (item.first.compare(name, Qt::CaseInsensitive) == 0) {
            item.second = value;
            return;
        }
    }
    m_items.emplace_back(name, value);
}

QStringList TRLMacros::Strings() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_items.size()));
    for (const auto& item : m_items)
        lines.append(item.first + kSeparator + item.second);
    return lines;
}

void TRLMacros::AddString(QStringView line)
{
    const qsizetype separator = line.indexOf(kSeparator);
    if (separator < 0)
        m_items.emplace_back(line.toString(), QString());
    else
        m_items.emplace_back(line.left(separator).toString(), line.mid(separator + 1).toString());
}

int TRLMacros::IntValue(QStringView name, int fallback) const
{
    if (!Contains(name))
        return fallback;
    bool ok = false;
    const int value = Value(name).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void TRLMacros::SetIntValue(const QString& name, int value)
{
    SetValue(name, QString::number(value));
}

double TRLMacros::MillimetreValue(QStringView name, double fallback) const
{
    if (!Contains(name))
        return fallback;
    bool ok = false;
    const double value = QLocale::c().toDouble(Value(name).trimmed(), &ok);
    if (!ok)
        return fallback;
    return value < 0 ? kNegativeMillimetres : value;
}

void TRLMacros::SetMillimetreValue(const QString& name, double value)
{
    SetValue(name, QString::number(value < 0 ? kNegativeMillimetres : value, 'f', kMillimetreDecimals));
}
