#include "support/TextUtils.h"

#include "platform/Component.h"

#include <algorithm>

namespace {

bool IsGapCharacter(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// One pass from `cursor` backward; see InsertJustifyBlank.
bool InsertBlankBefore(QString& text, int& cursor)
{
    // 1-based positions, as the cursor counts.
    int i = std::min<int>(cursor, int(text.size()));
    while (i >= 1 && IsGapCharacter(text[i - 1]))
        --i;
    while (i >= 1 && !IsGapCharacter(text[i - 1]))
        --i;
    if (i < 1)
        return false;
    while (i >= 1 && IsGapCharacter(text[i - 1]))
        --i;
    const int runStart = i + 1;
    if (runStart == 1)
        return false;
    text.insert(runStart - 1, u' ');
    cursor = runStart - 1;
    return true;
}

} // namespace

bool InsertJustifyBlank(QString& text, int& cursor)
{
    if (InsertBlankBefore(text, cursor))
        return true;
    cursor = int(text.size());
    return InsertBlankBefore(text, cursor);
}

QString Token(QStringView text, int n, QChar delimiter)
{
    if (n < 1)
        return {};
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(delimiter, start);
        if (next < 0)
            return {};
        start = next + 1;
    }
    const qsizetype end = text.indexOf(delimiter, start);
    return text.mid(start, end < 0 ? -1 : end - start).toString();
}

bool SameNameIgnoringCase(QStringView a, QStringView b)
{
    return a.size() == b.size() && (a == b || a.compare(b, Qt::CaseInsensitive) == 0);
}

QString ForceExtDot(const QString& ext)
{
    if (ext.isEmpty() || ext.startsWith(u'.'))
        return ext;
    return u'.' + ext;
}

QString UniqueComponentName(const TComponent& component)
{
    QString prefix = component.ClassName();
    if (prefix.startsWith(u'T', Qt::CaseInsensitive))
        prefix.remove(0, 1);
    qint64 largest = 0;
    if (const TComponent* owner = component.Owner()) {
        for (const TComponent* sibling : owner->Components()) {
            const QString& name = sibling->Name();
            if (!name.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            const QStringView suffix = QStringView(name).mid(prefix.size());
            const bool numeric = !suffix.isEmpty()
                && std::all_of(suffix.begin(), suffix.end(), [](QChar c) { return c.isDigit(); });
            bool ok = false;
            const qint64 number = numeric ? suffix.toLongLong(&ok) : 0;
            if (ok)
                largest = std::max(largest, number);
        }
    }
    return prefix + QString::number(largest + 1);
}
