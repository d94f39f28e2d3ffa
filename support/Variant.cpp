#include "support/Variant.h"

#include "platform/Exceptions.h"
#include "support/DateTimeFormat.h"
#include "support/FloatFormat.h"

#include "support/VariantErrors.h"

#include <cmath>

namespace {

// 2^63: doubles below it in magnitude convert to a 64-bit integer without overflow.
constexpr double kInt64Limit = 9223372036854775808.0;

QString TrueText()
{
    return QStringLiteral("True");
}

QString FalseText()
{
    return QStringLiteral("False");
}

} // namespace

TVariant::TVariant(bool value)
    : m_value(std::in_place_index<size_t(TVariantType::Boolean)>, value)
{
}

TVariant::TVariant(int value)
    : m_value(std::in_place_index<size_t(TVariantType::Integer)>, value)
{
}

TVariant::TVariant(qint64 value)
    : m_value(std::in_place_index<size_t(TVariantType::Integer)>, value)
{
}

TVariant::TVariant(double value)
    : m_value(std::in_place_index<size_t(TVariantType::Double)>, value)
{
}

TVariant::TVariant(const QString& value)
    : m_value(std::in_place_index<size_t(TVariantType::String)>, value)
{
}

TVariant::TVariant(const char16_t* value)
    : TVariant(QString::fromUtf16(value))
{
}

TVariant::TVariant(Storage value)
    : m_value(std::move(value))
{
}

TVariant TVariant::Null()
{
    return TVariant(Storage(std::in_place_index<size_t(TVariantType::Null)>, nullptr));
}

TVariant TVariant::FromDateTime(TDateTime value)
{
    return TVariant(Storage(std::in_place_index<size_t(TVariantType::Date)>, value));
}

TVariant TVariant::FromDateTime(const QDateTime& value)
{
    return FromDateTime(ToDateTimeValue(value));
}

TVariant TVariant::Array(std::vector<TVariant> elements)
{
    return TVariant(Storage(std::in_place_index<size_t(TVariantType::Array)>, std::move(elements)));
}

bool TVariant::IsNumeric() const
{
    const TVariantType type = Type();
    return type == TVariantType::Integer || type == TVariantType::Double || type == TVariantType::Date;
}

QString TVariant::TypeName() const
{
    return TypeName(Type());
}

QString TVariant::TypeName(TVariantType type)
{
    switch (type) {
    case TVariantType::Empty:
        return QStringLiteral("Empty");
    case TVariantType::Null:
        return QStringLiteral("Null");
    case TVariantType::Boolean:
        return QStringLiteral("Boolean");
    case TVariantType::Integer:
        return QStringLiteral("Integer");
    case TVariantType::Double:
        return QStringLiteral("Double");
    case TVariantType::String:
        return QStringLiteral("String");
    case TVariantType::Date:
        return QStringLiteral("Date");
    case TVariantType::Array:
        return QStringLiteral("Array");
    }
    return {};
}

bool TVariant::ToBool() const
{
    switch (Type()) {
    case TVariantType::Empty:
        return false;
    case TVariantType::Boolean:
        return Get<TVariantType::Boolean>();
    case TVariantType::Integer:
        return Get<TVariantType::Integer>() != 0;
    case TVariantType::Double:
        return Get<TVariantType::Double>() != 0;
    case TVariantType::Date:
        return Get<TVariantType::Date>() != 0;
    case TVariantType::String: {
        const QString text = Get<TVariantType::String>().trimmed();
        if (text.compare(TrueText(), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(FalseText(), Qt::CaseInsensitive) == 0)
            return false;
        double number = 0;
        if (TryStrToFloat(text, number))
            return number != 0;
        break;
    }
    case TVariantType::Null:
    case TVariantType::Array:
        break;
    }
    RaiseCannotConvert(Type(), TVariantType::Boolean);
}

qint64 TVariant::ToInt() const
{
    switch (Type()) {
    case TVariantType::Empty:
        return 0;
    case TVariantType::Boolean:
        // The platform's true is all bits set.
        return Get<TVariantType::Boolean>() ? -1 : 0;
    case TVariantType::Integer:
        return Get<TVariantType::Integer>();
    case TVariantType::String: {
        bool ok = false;
        const qint64 whole = Get<TVariantType::String>().trimmed().toLongLong(&ok);
        if (ok)
            return whole;
        break;
    }
    case TVariantType::Double:
    case TVariantType::Date:
    case TVariantType::Null:
    case TVariantType::Array:
        break;
    }
    if (Type() == TVariantType::Null || Type() == TVariantType::Array)
        RaiseCannotConvert(Type(), TVariantType::Integer);
    double value = 0;
    try {
        value = ToDouble();
    } catch (const EReportError&) {
        RaiseCannotConvert(Type(), TVariantType::Integer);
    }
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -kInt64Limit && rounded < kInt64Limit))
        RaiseConversionOverflow(Type(), TVariantType::Integer);
    return qint64(rounded);
}

double TVariant::ToDouble() const
{
    switch (Type()) {
    case TVariantType::Empty:
        return 0;
    case TVariantType::Boolean:
        return Get<TVariantType::Boolean>() ? -1 : 0;
    case TVariantType::Integer:
        return double(Get<TVariantType::Integer>());
    case TVariantType::Double:
        return Get<TVariantType::Double>();
    case TVariantType::Date:
        return Get<TVariantType::Date>();
    case TVariantType::String: {
        double value = 0;
        if (TryStrToFloat(Get<TVariantType::String>(), value))
            return value;
        break;
    }
    case TVariantType::Null:
    case TVariantType::Array:
        break;
    }
    RaiseCannotConvert(Type(), TVariantType::Double);
}

QString TVariant::ToString() const
{
    switch (Type()) {
    case TVariantType::Empty:
    case TVariantType::Null:
        return {};
    case TVariantType::Boolean:
        return Get<TVariantType::Boolean>() ? TrueText() : FalseText();
    case TVariantType::Integer:
        return QString::number(Get<TVariantType::Integer>());
    case TVariantType::Double:
        return FloatToStr(Get<TVariantType::Double>());
    case TVariantType::String:
        return Get<TVariantType::String>();
    case TVariantType::Date: {
        const TDateTime value = Get<TVariantType::Date>();
        const QDateTime dateTime = FromDateTimeValue(value);
        return std::trunc(value) == 0 ? TimeToStr(dateTime) : DateTimeToStr(dateTime);
    }
    case TVariantType::Array:
        break;
    }
    RaiseCannotConvert(Type(), TVariantType::String);
}

TDateTime TVariant::ToDateTime() const
{
    if (Type() == TVariantType::Date)
        return Get<TVariantType::Date>();
    TDateTime value = 0;
    if (Type() == TVariantType::String && TryStrToDateTime(Get<TVariantType::String>(), value))
        return value;
    try {
        return ToDouble();
    } catch (const EReportError&) {
        RaiseCannotConvert(Type(), TVariantType::Date);
    }
}

const std::vector<TVariant>& TVariant::Elements() const
{
    if (Type() != TVariantType::Array)
        RaiseCannotConvert(Type(), TVariantType::Array);
    return Get<TVariantType::Array>();
}

const TVariant& TVariant::ElementAt(qsizetype index) const
{
    const std::vector<TVariant>& elements = Elements();
    if (index < 0 || index >= qsizetype(elements.size()))
        throw EReportError(QStringLiteral("Variant array index %1 out of bounds (0 to %2)")
                               .arg(index)
                               .arg(qsizetype(elements.size()) - 1));
    return elements[size_t(index)];
}

TVariant TVariant::ConvertedTo(TVariantType type) const
{
    if (Type() == type)
        return *this;
    switch (type) {
    case TVariantType::Empty:
        return TVariant();
    case TVariantType::Null:
        return Null();
    case TVariantType::Boolean:
        return TVariant(ToBool());
    case TVariantType::Integer:
        return TVariant(ToInt());
    case TVariantType::Double:
        return TVariant(ToDouble());
    case TVariantType::String:
        if (IsNull())
            RaiseCannotConvert(Type(), type);
        return TVariant(ToString());
    case TVariantType::Date:
        return FromDateTime(ToDateTime());
    case TVariantType::Array:
        break;
    }
    RaiseCannotConvert(Type(), type);
}
