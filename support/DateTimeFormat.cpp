#include "support/DateTimeFormat.h"

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

} // namespace

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
