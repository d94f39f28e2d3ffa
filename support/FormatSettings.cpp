#include "support/FormatSettings.h"

namespace {

TFormatSettings& CurrentSettings()
{
    static TFormatSettings settings = TFormatSettings::FromLocales(QLocale::c(), QLocale::c());
    return settings;
}

QString FirstSetVariable(std::initializer_list<const char*> variables)
{
    for (const char* variable : variables) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

qsizetype RunLength(QStringView text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && text[end] == text[start])
        ++end;
    return end - start;
}

// One Qt format field, by its letter and repeat count, in the platform's codes.
QString PlatformField(QChar letter, qsizetype count)
{
    switch (letter.unicode()) {
    case u'd':
        return QString(std::min<qsizetype>(count, 4), u'd');
    case u'M':
        return QString(std::min<qsizetype>(count, 4), u'm');
    case u'y':
        return count >= 4 ? QStringLiteral("yyyy") : QStringLiteral("yy");
    case u'h':
    case u'H':
        return count >= 2 ? QStringLiteral("hh") : QStringLiteral("h");
    case u'm':
        return count >= 2 ? QStringLiteral("nn") : QStringLiteral("n");
    case u's':
        return count >= 2 ? QStringLiteral("ss") : QStringLiteral("s");
    case u'z':
        return count >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
    case u'A':
    case u'a':
    case u'P':
    case u'p':
        return QStringLiteral("ampm");
    case u't':
        return {};
    }
    return QString(count, letter);
}

bool IsQtField(QChar c)
{
    return QStringView(u"dMyhHmszAaPpt").contains(c);
}

// Letters and quotes would read as codes in the platform's format, so such literals are quoted.
QString Quoted(const QString& literal)
{
    bool needsQuotes = false;
    for (QChar c : literal)
        needsQuotes = needsQuotes || c.isLetter() || c == u'\'' || c == u'"';
    if (!needsQuotes)
        return literal;
    const QChar quote = literal.contains(u'"') ? u'\'' : u'"';
    return quote + literal + quote;
}

} // namespace

TFormatSettings TFormatSettings::FromLocales(const QLocale& numbers, const QLocale& dates)
{
    TFormatSettings settings;
    settings.DecimalSeparator = numbers.decimalPoint();
    settings.ThousandSeparator = numbers.groupSeparator();
    settings.ShortDateFormat = PlatformDateTimeFormat(dates.dateFormat(QLocale::ShortFormat));
    settings.LongDateFormat = PlatformDateTimeFormat(dates.dateFormat(QLocale::LongFormat));
    settings.ShortTimeFormat = PlatformDateTimeFormat(dates.timeFormat(QLocale::ShortFormat));
    settings.LongTimeFormat = PlatformDateTimeFormat(dates.timeFormat(QLocale::LongFormat));
    settings.TimeAMString = dates.amText();
    settings.TimePMString = dates.pmText();
    for (const QChar c : dates.dateFormat(QLocale::ShortFormat)) {
        if (!c.isLetter()) {
            settings.DateSeparator = c;
            break;
        }
    }
    for (const QChar c : dates.timeFormat(QLocale::LongFormat)) {
        if (!c.isLetter()) {
            settings.TimeSeparator = c;
            break;
        }
    }
    for (int month = 1; month <= 12; ++month) {
        settings.ShortMonthNames[month - 1] = dates.monthName(month, QLocale::ShortFormat);
        settings.LongMonthNames[month - 1] = dates.monthName(month, QLocale::LongFormat);
    }
    // Qt counts days from Monday (1) to Sunday (7); the platform's lists start on Sunday.
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day;
        settings.ShortDayNames[day] = dates.dayName(qtDay, QLocale::ShortFormat);
        settings.LongDayNames[day] = dates.dayName(qtDay, QLocale::LongFormat);
    }
    return settings;
}

const TFormatSettings& FormatSettings()
{
    return CurrentSettings();
}

void SetFormatSettings(const TFormatSettings& settings)
{
    CurrentSettings() = settings;
}

void InitializeFormatSettings()
{
    const QLocale numbers = LocaleOfPosixName(FirstSetVariable({ "LC_ALL", "LC_NUMERIC", "LANG" }));
    const QLocale dates = LocaleOfPosixName(FirstSetVariable({ "LC_ALL", "LC_TIME", "LANG" }));
    QLocale::setDefault(numbers);
    SetFormatSettings(TFormatSettings::FromLocales(numbers, dates));
}

QLocale LocaleOfPosixName(QStringView name)
{
    qsizetype end = 0;
    while (end < name.size() && name[end] != u'.' && name[end] != u'@')
        ++end;
    const QStringView bare = name.first(end);
    if (bare.isEmpty() || bare == u"C" || bare == u"POSIX")
        return QLocale::c();
    return QLocale(bare.toString());
}

QString PlatformDateTimeFormat(QStringView qtFormat)
{
    QString result;
    QString literal;
    qsizetype i = 0;
    while (i < qtFormat.size()) {
        const QChar c = qtFormat[i];
        if (c == u'\'' && i + 1 < qtFormat.size() && qtFormat[i + 1] == u'\'') {
            literal += u'\'';
            i += 2;
            continue;
        }
        if (c == u'\'') {
            // Quoted text; two quotes inside stand for one.
            qsizetype j = i + 1;
            while (j < qtFormat.size()) {
                if (qtFormat[j] == u'\'' && j + 1 < qtFormat.size() && qtFormat[j + 1] == u'\'') {
                    literal += u'\'';
                    j += 2;
                } else if (qtFormat[j] == u'\'') {
                    break;
                } else {
                    literal += qtFormat[j++];
                }
            }
            i = j + 1;
            continue;
        }
        if (IsQtField(c)) {
            qsizetype count = RunLength(qtFormat, i);
            if ((c == u'A' || c == u'a') && i + 1 < qtFormat.size()
                && (qtFormat[i + 1] == u'P' || qtFormat[i + 1] == u'p'))
                count = 2;
            result += Quoted(literal);
            literal.clear();
            result += PlatformField(c, count);
            i += count;
            continue;
        }
        if (c.isLetter()) {
            literal += c;
        } else {
            result += Quoted(literal);
            literal.clear();
            // Literal punctuation stays bare: "/" and ":" are the locale's own separators here.
            result += c;
        }
        ++i;
    }
    result += Quoted(literal);
    // The dropped time zone leaves its frame behind ("HH:mm:ss (t)").
    result.replace(QStringLiteral("()"), QString());
    return result.trimmed();
}
