#include "report/RLEditMask.h"

#include <QStringList>

namespace {

constexpr QChar kDefaultBlank = u'_';
constexpr QStringView kPlaceholders = u"09#LlAaCc";

enum class CaseMode { Keep, Upper, Lower };

QChar Cased(QChar c, CaseMode mode)
{
    switch (mode) {
    case CaseMode::Upper:
        return c.toUpper();
    case CaseMode::Lower:
        return c.toLower();
    case CaseMode::Keep:
        break;
    }
    return c;
}

} // namespace

QString FormatMaskText(QStringView editMask, QStringView value)
{
    const QList<QStringView> parts = editMask.split(u';');
    const QStringView mask = parts.value(0);
    const bool keepLiterals = parts.size() < 2 || parts[1] != u"0";
    const QChar blank = parts.size() >= 3 && !parts[2].isEmpty() ? parts[2].front() : kDefaultBlank;

    QString result;
    qsizetype next = 0;
    CaseMode mode = CaseMode::Keep;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u'!')
            continue;
        if (c == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
            mode = CaseMode::Keep;
            ++i;
            continue;
        }
        if (c == u'>' || c == u'<') {
            mode = c == u'>' ? CaseMode::Upper : CaseMode::Lower;
            continue;
        }
        if (kPlaceholders.contains(c)) {
            result += next < value.size() ? Cased(value[next++], mode) : blank;
            continue;
        }
        const QChar literal = (c == u'\\' && i + 1 < mask.size()) ? mask[++i] : c;
        result += literal;
        if (keepLiterals && next < value.size())
            ++next;
    }
    return result;
}
