#include "db/FieldValue.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string_view>

namespace {

/// A number in the locale's notation, thousands separators included ("1.000" is one thousand in
/// Brazil), else in C notation without them: C notation never overrides what the locale reads.
std::optional<double> ParseNumber(const QString& text)
{
    const QLocale local;
    QLocale c = QLocale::c();
    c.setNumberOptions(c.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = local.toDouble(text.trimmed(), &ok);
    if (!ok)
        value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> ToNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return value.toDouble();
    case QMetaType::QString:
        return ParseNumber(value.toString());
    default:
        return std::nullopt;
    }
}

std::optional<QVariant> ToInteger(const QVariant& value, qint64 low, qint64 high)
{
    const std::optional<double> number = ToNumber(value);
    if (!number || *number != std::trunc(*number) || *number < double(low) || *number > double(high))
        return std::nullopt;
    return QVariant(int(*number));
}

std::optional<QVariant> ToBoolean(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1")
            return QVariant(true);
        if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text == u"0")
            return QVariant(false);
        return std::nullopt;
    }
    if (const std::optional<double> number = ToNumber(value))
        return QVariant(*number != 0);
    return std::nullopt;
}

std::optional<QVariant> ToDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().isValid() ? std::optional<QVariant>(value) : std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return QVariant(value.toDateTime().date());
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString().trimmed();
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        date = QLocale().toDate(text, QLocale::ShortFormat);
    return date.isValid() ? std::optional<QVariant>(QVariant(date)) : std::nullopt;
}

std::optional<QVariant> ToTime(const QVariant& value)
{
    if (value.typeId() == QMetaType::QTime)
        return value.toTime().isValid() ? std::optional<QVariant>(value) : std::nullopt;
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QTime time = QTime::fromString(value.toString().trimmed(), Qt::ISODateWithMs);
    return time.isValid() ? std::optional<QVariant>(QVariant(time)) : std::nullopt;
}

std::optional<QVariant> ToDateTime(const QVariant& value)
{
    QDateTime result;
    if (value.typeId() == QMetaType::QDateTime)
        result = value.toDateTime();
    else if (value.typeId() == QMetaType::QDate)
        result = QDateTime(value.toDate(), QTime(0, 0), Qt::UTC);
    else if (value.typeId() == QMetaType::QString)
        result = QDateTime::fromString(value.toString().trimmed(), Qt::ISODateWithMs);
    if (!result.isValid())
        return std::nullopt;
    // Stored timestamps carry no zone: keep the wall-clock reading.
    return QVariant(QDateTime(result.date(), result.time(), Qt::UTC));
}

std::optional<QVariant> ToBytes(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().isEmpty() ? QVariant() : value;
    if (value.typeId() == QMetaType::QString)
        return value.toString().isEmpty() ? QVariant() : QVariant(value.toString().toUtf8());
    return std::nullopt;
}

template<typename T> int Compare3(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool IsNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QVariant> ConvertToFieldType(const QVariant& value, TFieldType type)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo: {
        if (!value.canConvert<QString>())
            return std::nullopt;
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case TFieldType::ftSmallint:
        return ToInteger(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return ToInteger(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        if (const std::optional<double> number = ToNumber(value))
            return QVariant(*number);
        return std::nullopt;
    case TFieldType::ftBoolean:
        return ToBoolean(value);
    case TFieldType::ftDate:
        return ToDate(value);
    case TFieldType::ftTime:
        return ToTime(value);
    case TFieldType::ftDateTime:
        return ToDateTime(value);
    case TFieldType::ftBytes:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftBlob:
    case TFieldType::ftOle:
        return ToBytes(value);
    }
    return std::nullopt;
}

int CompareFieldValues(const QVariant& a, const QVariant& b)
{
    const bool aNull = a.isNull() || !a.isValid();
    const bool bNull = b.isNull() || !b.isValid();
    if (aNull || bNull)
        return Compare3(!aNull, !bNull);
    if (IsNumber(a) && IsNumber(b))
        return Compare3(a.toDouble(), b.toDouble());
    if (a.typeId() == b.typeId()) {
        switch (a.typeId()) {
        case QMetaType::QString:
            // Read in place: a copy of each side costs more than the compare, and index searches
            // compare keys by the thousand.
            return Compare3(QStringView(*static_cast<const QString*>(a.constData()))
                                .compare(*static_cast<const QString*>(b.constData()), Qt::CaseSensitive),
                0);
        case QMetaType::Bool:
            return Compare3(a.toBool(), b.toBool());
        case QMetaType::QDate:
            return Compare3(a.toDate(), b.toDate());
        case QMetaType::QTime:
            return Compare3(a.toTime(), b.toTime());
        case QMetaType::QDateTime:
            return Compare3(a.toDateTime(), b.toDateTime());
        case QMetaType::QByteArray:
            return Compare3(a.toByteArray(), b.toByteArray());
        default:
            break;
        }
    }
    return Compare3(a.toString().compare(b.toString(), Qt::CaseSensitive), 0);
}

namespace {

/// The text of %g with `precision` significant digits (at most 15) for a normal value whose
/// shortest decimal form has no more digits than that: the two then hold the same digits, since
/// a double's spacing is far below a unit of the fifteenth digit, so the shortest form (fast to
/// find) is only laid out as %g does.
QString LayOutGeneral(bool negative, std::string_view digits, int exponent, int precision)
{
    // Laid out in bytes and converted once: this runs for every float a report shows. The
    // longest text is a sign, `precision` places, a point, leading zeros and an exponent.
    const std::size_t room = 1 + std::size_t(precision) + digits.size() + 16;
    char stack[64];
    std::string heap;
    char* const text = room <= sizeof stack ? stack : (heap.resize(room), heap.data());
    char* out = text;
    if (negative)
        *out++ = '-';
    const auto digit = [&digits](int i) { return i < int(digits.size()) ? digits[std::size_t(i)] : '0'; };
    const auto copy = [&out](std::string_view part) { out = std::copy(part.begin(), part.end(), out); };
    if (exponent < -4 || exponent >= precision) {
        *out++ = digit(0);
        if (digits.size() > 1) {
            *out++ = '.';
            copy(digits.substr(1));
        }
        copy(exponent < 0 ? "e-" : "e+");
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, text + room, magnitude).ptr;
    } else if (exponent < 0) {
        copy("0.");
        out = std::fill_n(out, -exponent - 1, '0');
        copy(digits);
    } else {
        for (int i = 0; i <= exponent; ++i)
            *out++ = digit(i);
        if (int(digits.size()) > exponent + 1) {
            *out++ = '.';
            copy(digits.substr(std::size_t(exponent) + 1));
        }
    }
    return QString::fromLatin1(text, out - text);
}

/// QString::number(value, 'g', 15), which is slow (double-conversion) and runs for every float a
/// report shows. Most values need fifteen digits or fewer and are laid out from their shortest
/// form; the others are rounded by std::to_chars, which writes what Qt does except where the
/// value lies exactly halfway at the sixteenth digit: Qt rounds that away from zero, to_chars to
/// even. Such a value has sixteen significant digits ending in 5 as its shortest form, and is
/// left to Qt.
QString GeneralDigits(double value)
{
    constexpr int kSignificantDigits = 15;
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const char* end = std::to_chars(buffer, std::end(buffer), value, std::chars_format::scientific).ptr;
    const char* mantissaEnd = std::find(static_cast<const char*>(buffer), end, 'e');
    char digits[32];
    std::size_t count = 0;
    for (const char* p = buffer; p < mantissaEnd; ++p)
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    // A subnormal value is too coarse for its shortest form to be its rounding.
    if (count <= std::size_t(kSignificantDigits) && std::abs(value) >= std::numeric_limits<double>::min()) {
        int exponent = 0;
        for (const char* p = mantissaEnd + 2; p < end; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (mantissaEnd[1] == '-')
            exponent = -exponent;
        return LayOutGeneral(value < 0, std::string_view(digits, count), exponent, kSignificantDigits);
    }
    if (mantissaEnd[-1] == '5')
        return QString::number(value, 'g', kSignificantDigits);
    end = std::to_chars(buffer, std::end(buffer), value, std::chars_format::general, kSignificantDigits).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

} // namespace

QString FormatGeneralFloat(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // Fixed notation for decimal exponents -5 < e < 15, as 'g' does; only the exponent's look differs.
    QString text = GeneralDigits(value == 0 ? 0.0 : value);
    QString exponent;
    if (const qsizetype e = text.indexOf(u'e'); e >= 0) {
        const int power = text.sliced(e + 1).toInt();
        exponent = u'E' + QString::number(power);
        text.truncate(e);
    }
    const QString decimalPoint = QLocale().decimalPoint();
    if (decimalPoint != u".")
        text.replace(u'.', decimalPoint);
    // Appended in place: a sum would copy the text, and most values have no exponent.
    text += exponent;
    return text;
}

QString FormatShortDate(QDate date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}
