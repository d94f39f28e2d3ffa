#include "support/DateTimeFormat.h"

#include <QList>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

// Nested formats (c, ddddd, t) cannot loop: each names a locale format, and those are read once.
constexpr int kMaxNesting = 2;

class TDateTimeWriter {
public:
    TDateTimeWriter(const QDateTime& value, const TFormatSettings& settings)
        : m_value(value)
        , m_settings(settings)
    {
    }

    void Write(QStringView format, int depth);
    QString Result() const { return m_out; }

private:
    void WriteNested(const QString& format, int depth);
    void WriteNumber(int number, int width) { m_out += QString::number(number).rightJustified(width, u'0'); }
    bool WriteAmPm(QStringView format, qsizetype& i);
    int Hour() const;

    const QDateTime& m_value;
    const TFormatSettings& m_settings;
    QString m_out;
    bool m_twelveHour = false;
    bool m_afterHour = false;
};

qsizetype RunOf(QStringView format, qsizetype i)
{
    const QChar letter = format[i].toLower();
    qsizetype end = i;
    while (end < format.size() && format[end].toLower() == letter)
        ++end;
    return end - i;
}

bool UsesTwelveHourClock(QStringView format)
{
    const QString lower = format.toString().toLower();
    return lower.contains(u"am/pm") || lower.contains(u"a/p") || lower.contains(u"ampm");
}

void TDateTimeWriter::WriteNested(const QString& format, int depth)
{
    if (depth >= kMaxNesting)
        return;
    const bool twelveHour = m_twelveHour;
    Write(format, depth + 1);
    m_twelveHour = twelveHour;
}

int TDateTimeWriter::Hour() const
{
    const int hour = m_value.time().hour();
    if (!m_twelveHour)
        return hour;
    return hour % 12 == 0 ? 12 : hour % 12;
}

bool TDateTimeWriter::WriteAmPm(QStringView format, qsizetype& i)
{
    const QStringView rest = format.mid(i);
    const bool morning = m_value.time().hour() < 12;
    if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
        m_out += morning ? m_settings.TimeAMString : m_settings.TimePMString;
        i += 4;
        return true;
    }
    if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
        // The case of the code is the case of the output.
        m_out += morning ? rest.first(2) : rest.mid(3, 2);
        i += 5;
        return true;
    }
    if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
        m_out += morning ? rest[0] : rest[2];
        i += 3;
        return true;
    }
    return false;
}

void TDateTimeWriter::Write(QStringView format, int depth)
{
    const bool outerTwelveHour = m_twelveHour;
    m_twelveHour = UsesTwelveHourClock(format);
    const QDate date = m_value.date();
    const QTime time = m_value.time();
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == u'\'' || c == u'"') {
            qsizetype end = i + 1;
            while (end < format.size() && format[end] != c)
                ++end;
            m_out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (lower == u'a' && WriteAmPm(format, i))
            continue;
        const qsizetype run = lower.isLetter() ? RunOf(format, i) : 1;
        bool isHour = false;
        switch (lower.unicode()) {
        case u'c':
            WriteNested(m_settings.ShortDateFormat, depth);
            if (time.msecsSinceStartOfDay() != 0) {
                m_out += u' ';
                WriteNested(m_settings.LongTimeFormat, depth);
            }
            i += 1;
            continue;
        case u'd':
            if (run == 1 || run == 2)
                WriteNumber(date.day(), int(run));
            else if (run == 3)
                m_out += m_settings.ShortDayNames[date.dayOfWeek() % 7];
            else if (run == 4)
                m_out += m_settings.LongDayNames[date.dayOfWeek() % 7];
            else if (run == 5)
                WriteNested(m_settings.ShortDateFormat, depth);
            else
                WriteNested(m_settings.LongDateFormat, depth);
            break;
        case u'm':
            if (m_afterHour && run <= 2)
                WriteNumber(time.minute(), int(run));
            else if (run <= 2)
                WriteNumber(date.month(), int(run));
            else if (run == 3)
                m_out += m_settings.ShortMonthNames[date.month() - 1];
            else
                m_out += m_settings.LongMonthNames[date.month() - 1];
            break;
        case u'y':
            if (run <= 2)
                WriteNumber(date.year() % 100, 2);
            else
                WriteNumber(date.year(), 4);
            break;
        case u'h':
            WriteNumber(Hour(), run >= 2 ? 2 : 1);
            isHour = true;
            break;
        case u'n':
            WriteNumber(time.minute(), run >= 2 ? 2 : 1);
            break;
        case u's':
            WriteNumber(time.second(), run >= 2 ? 2 : 1);
            break;
        case u'z':
            WriteNumber(time.msec(), run >= 3 ? 3 : 1);
            break;
        case u't':
            WriteNested(run >= 2 ? m_settings.LongTimeFormat : m_settings.ShortTimeFormat, depth);
            break;
        // Separators and literal text keep an hour code's hold on a following "m" ("hh:mm").
        case u'/':
            m_out += m_settings.DateSeparator;
            i += 1;
            continue;
        case u':':
            m_out += m_settings.TimeSeparator;
            i += 1;
            continue;
        default:
            m_out += format.mid(i, run);
            i += run;
            continue;
        }
        m_afterHour = isHour;
        i += run;
    }
    m_twelveHour = outerTwelveHour;
}

constexpr int kTwoDigitYearPivot = 50;
constexpr int kHoursPerHalfDay = 12;

/// The whole numbers of a date word ("05/03/2026"), or nothing when it holds anything else.
std::optional<std::vector<QStringView>> NumbersOf(QStringView word, QStringView separator)
{
    std::vector<QStringView> numbers;
    qsizetype i = 0;
    while (i < word.size()) {
        const qsizetype start = i;
        while (i < word.size() && word[i].isDigit())
            ++i;
        if (i == start)
            return std::nullopt;
        numbers.push_back(word.mid(start, i - start));
        if (i < word.size() && !word.mid(i).startsWith(separator))
            return std::nullopt;
        i += separator.size();
    }
    return numbers;
}

/// Positions of day, month and year in the short date format (0, 1, 2).
std::array<int, 3> DateOrder(const QString& shortDateFormat)
{
    std::array<std::pair<qsizetype, int>, 3> found
        = { std::pair<qsizetype, int> { -1, 0 }, { -1, 1 }, { -1, 2 } };
    const QString lower = shortDateFormat.toLower();
    found[0].first = lower.indexOf(u'd');
    found[1].first = lower.indexOf(u'm');
    found[2].first = lower.indexOf(u'y');
    std::sort(found.begin(), found.end());
    std::array<int, 3> order {};
    for (int i = 0; i < 3; ++i)
        order[size_t(found[size_t(i)].second)] = i;
    return order;
}

std::optional<QDate> ReadDate(QStringView word, const TFormatSettings& settings)
{
    const auto numbers = NumbersOf(word, settings.DateSeparator);
    if (!numbers || numbers->size() < 2 || numbers->size() > 3)
        return std::nullopt;
    std::array<int, 3> order = DateOrder(settings.ShortDateFormat);
    int year = Now().date().year();
    if (numbers->size() == 2) {
        // Without a year the day and month keep their relative order.
        const bool dayFirst = order[0] < order[1];
        order = { dayFirst ? 0 : 1, dayFirst ? 1 : 0, 2 };
    } else {
        const QStringView yearText = (*numbers)[size_t(order[2])];
        year = yearText.toInt();
        if (yearText.size() <= 2)
            year += year < kTwoDigitYearPivot ? 2000 : 1900;
    }
    const QDate date(year, (*numbers)[size_t(order[1])].toInt(), (*numbers)[size_t(order[0])].toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> ReadTime(QStringView word, QStringView amPm, const TFormatSettings& settings)
{
    const QList<QStringView> parts = word.split(settings.TimeSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    bool ok[4] = { false, false, true, true };
    int hour = parts[0].toInt(&ok[0]);
    const int minute = parts[1].toInt(&ok[1]);
    int second = 0;
    int millisecond = 0;
    if (parts.size() == 3) {
        const QList<QStringView> secondParts = parts[2].split(u'.');
        second = secondParts[0].toInt(&ok[2]);
        if (secondParts.size() == 2)
            millisecond = secondParts[1].toInt(&ok[3]);
        else if (secondParts.size() > 2)
            return std::nullopt;
    }
    if (!(ok[0] && ok[1] && ok[2] && ok[3]))
        return std::nullopt;
    if (!amPm.isEmpty()) {
        const bool am = amPm.compare(settings.TimeAMString, Qt::CaseInsensitive) == 0
            || amPm.compare(u"am", Qt::CaseInsensitive) == 0;
        const bool pm = amPm.compare(settings.TimePMString, Qt::CaseInsensitive) == 0
            || amPm.compare(u"pm", Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || hour < 1 || hour > kHoursPerHalfDay)
            return std::nullopt;
        hour = hour % kHoursPerHalfDay + (pm ? kHoursPerHalfDay : 0);
    }
    const QTime time(hour, minute, second, millisecond);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace

bool TryStrToDateTime(QStringView text, TDateTime& value, const TFormatSettings& settings)
{
    const QList<QStringView> words = text.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 3)
        return false;
    qsizetype next = 0;
    std::optional<QDate> date;
    if (!words[0].contains(settings.TimeSeparator)) {
        date = ReadDate(words[0], settings);
        if (!date)
            return false;
        next = 1;
    }
    std::optional<QTime> time;
    if (next < words.size()) {
        const QStringView amPm = next + 1 < words.size() ? words[next + 1] : QStringView();
        if (next + 2 < words.size())
            return false;
        time = ReadTime(words[next], amPm, settings);
        if (!time)
            return false;
    }
    const QDate day = date ? *date : FromDateTimeValue(0).date();
    value = ToDateTimeValue(QDateTime(day, time.value_or(QTime(0, 0))));
    return true;
}

bool TryStrToDateTime(QStringView text, TDateTime& value)
{
    return TryStrToDateTime(text, value, FormatSettings());
}

QString FormatDateTime(QStringView format, const QDateTime& value, const TFormatSettings& settings)
{
    TDateTimeWriter writer(value, settings);
    writer.Write(format.isEmpty() ? QStringView(u"c") : format, 0);
    return writer.Result();
}

QString FormatDateTime(QStringView format, const QDateTime& value)
{
    return FormatDateTime(format, value, FormatSettings());
}

QString DateToStr(const QDateTime& value)
{
    return FormatDateTime(u"ddddd", value);
}

QString TimeToStr(const QDateTime& value)
{
    return FormatDateTime(u"tt", value);
}

QString DateTimeToStr(const QDateTime& value)
{
    return FormatDateTime(u"c", value);
}
