#include "support/Variant.h"

#include "support/VariantErrors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

enum class TArithmetic { Add, Subtract, Multiply, Divide };

QStringView Symbol(TArithmetic operation)
{
    switch (operation) {
    case TArithmetic::Add:
        return u"+";
    case TArithmetic::Subtract:
        return u"-";
    case TArithmetic::Multiply:
        return u"*";
    case TArithmetic::Divide:
        return u"/";
    }
    return {};
}

bool IsStringLike(const TVariant& value)
{
    return value.Type() == TVariantType::String || value.IsEmpty();
}

bool IsIntegerLike(const TVariant& value)
{
    const TVariantType type = value.Type();
    return type == TVariantType::Integer || type == TVariantType::Boolean || type == TVariantType::Empty;
}

/// Integer arithmetic, or nothing when the result does not fit.
std::optional<qint64> CheckedInteger(TArithmetic operation, qint64 a, qint64 b)
{
    qint64 result = 0;
    bool overflow = false;
    switch (operation) {
    case TArithmetic::Add:
        overflow = __builtin_add_overflow(a, b, &result);
        break;
    case TArithmetic::Subtract:
        overflow = __builtin_sub_overflow(a, b, &result);
        break;
    case TArithmetic::Multiply:
        overflow = __builtin_mul_overflow(a, b, &result);
        break;
    case TArithmetic::Divide:
        return std::nullopt;
    }
    if (overflow)
        return std::nullopt;
    return result;
}

double FloatArithmetic(TArithmetic operation, double a, double b)
{
    switch (operation) {
    case TArithmetic::Add:
        return a + b;
    case TArithmetic::Subtract:
        return a - b;
    case TArithmetic::Multiply:
        return a * b;
    case TArithmetic::Divide:
        if (b == 0)
            RaiseFloatDivisionByZero();
        return a / b;
    }
    return 0;
}

TVariant Arithmetic(TArithmetic operation, const TVariant& a, const TVariant& b)
{
    if (a.IsArray() || b.IsArray())
        RaiseInvalidOperation(Symbol(operation), a, b);
    if (a.IsNull() || b.IsNull())
        return TVariant::Null();
    if (a.IsEmpty() && b.IsEmpty())
        return TVariant();
    if (operation == TArithmetic::Add && IsStringLike(a) && IsStringLike(b))
        return TVariant(a.ToString() + b.ToString());
    if (operation != TArithmetic::Divide && IsIntegerLike(a) && IsIntegerLike(b)) {
        if (const std::optional<qint64> result = CheckedInteger(operation, a.ToInt(), b.ToInt()))
            return TVariant(*result);
    }
    const double result = FloatArithmetic(operation, a.ToDouble(), b.ToDouble());
    // A date moved by a number of days stays a date; a difference of dates is a number.
    const bool aDate = a.Type() == TVariantType::Date;
    const bool bDate = b.Type() == TVariantType::Date;
    if ((operation == TArithmetic::Add && (aDate != bDate))
        || (operation == TArithmetic::Subtract && aDate && !bDate))
        return TVariant::FromDateTime(result);
    return TVariant(result);
}

enum class TLogic { And, Or, Xor };

QStringView Symbol(TLogic operation)
{
    switch (operation) {
    case TLogic::And:
        return u"and";
    case TLogic::Or:
        return u"or";
    case TLogic::Xor:
        return u"xor";
    }
    return {};
}

bool IsBooleanLike(const TVariant& value)
{
    const TVariantType type = value.Type();
    return type == TVariantType::Boolean || type == TVariantType::String || type == TVariantType::Empty;
}

TVariant Logic(TLogic operation, const TVariant& a, const TVariant& b)
{
    if (a.IsArray() || b.IsArray())
        RaiseInvalidOperation(Symbol(operation), a, b);
    if (a.IsNull() || b.IsNull())
        return TVariant::Null();
    const bool logical = (a.Type() == TVariantType::Boolean || b.Type() == TVariantType::Boolean)
        && IsBooleanLike(a) && IsBooleanLike(b);
    if (logical) {
        const bool x = a.ToBool();
        const bool y = b.ToBool();
        switch (operation) {
        case TLogic::And:
            return TVariant(x && y);
        case TLogic::Or:
            return TVariant(x || y);
        case TLogic::Xor:
            return TVariant(x != y);
        }
    }
    const qint64 x = a.ToInt();
    const qint64 y = b.ToInt();
    switch (operation) {
    case TLogic::And:
        return TVariant(x & y);
    case TLogic::Or:
        return TVariant(x | y);
    case TLogic::Xor:
        break;
    }
    return TVariant(x ^ y);
}

template<typename T> int Order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareTexts(const QString& a, const QString& b)
{
    const int byLocale = QString::localeAwareCompare(a, b);
    // Texts the locale's order ties are still ordered, so that only equal texts compare equal.
    const int result = byLocale != 0 ? byLocale : a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

} // namespace

TVariant operator+(const TVariant& a, const TVariant& b)
{
    return Arithmetic(TArithmetic::Add, a, b);
}

TVariant operator-(const TVariant& a, const TVariant& b)
{
    return Arithmetic(TArithmetic::Subtract, a, b);
}

TVariant operator*(const TVariant& a, const TVariant& b)
{
    return Arithmetic(TArithmetic::Multiply, a, b);
}

TVariant operator/(const TVariant& a, const TVariant& b)
{
    return Arithmetic(TArithmetic::Divide, a, b);
}

TVariant operator-(const TVariant& a)
{
    switch (a.Type()) {
    case TVariantType::Null:
    case TVariantType::Empty:
        return a;
    case TVariantType::Array:
        RaiseInvalidOperation(u"-", a);
    case TVariantType::Boolean:
    case TVariantType::Integer: {
        const qint64 value = a.ToInt();
        if (value == std::numeric_limits<qint64>::min())
            return TVariant(-double(value));
        return TVariant(-value);
    }
    case TVariantType::Date:
        return TVariant::FromDateTime(-a.ToDouble());
    case TVariantType::Double:
    case TVariantType::String:
        break;
    }
    return TVariant(-a.ToDouble());
}

TVariant IntDiv(const TVariant& a, const TVariant& b)
{
    if (a.IsArray() || b.IsArray())
        RaiseInvalidOperation(u"div", a, b);
    if (a.IsNull() || b.IsNull())
        return TVariant::Null();
    const qint64 x = a.ToInt();
    const qint64 y = b.ToInt();
    if (y == 0)
        RaiseDivisionByZero();
    if (x == std::numeric_limits<qint64>::min() && y == -1)
        return TVariant(-double(x));
    return TVariant(x / y);
}

TVariant Mod(const TVariant& a, const TVariant& b)
{
    if (a.IsArray() || b.IsArray())
        RaiseInvalidOperation(u"mod", a, b);
    if (a.IsNull() || b.IsNull())
        return TVariant::Null();
    const qint64 x = a.ToInt();
    const qint64 y = b.ToInt();
    if (y == 0)
        RaiseDivisionByZero();
    if (y == -1)
        return TVariant(qint64(0));
    return TVariant(x % y);
}

TVariant And(const TVariant& a, const TVariant& b)
{
    return Logic(TLogic::And, a, b);
}

TVariant Or(const TVariant& a, const TVariant& b)
{
    return Logic(TLogic::Or, a, b);
}

TVariant Xor(const TVariant& a, const TVariant& b)
{
    return Logic(TLogic::Xor, a, b);
}

TVariant Not(const TVariant& a)
{
    switch (a.Type()) {
    case TVariantType::Null:
        return a;
    case TVariantType::Array:
        RaiseInvalidOperation(u"not", a);
    case TVariantType::Boolean:
        return TVariant(!a.ToBool());
    case TVariantType::String: {
        const QString text = a.ToString().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0
            || text.compare(u"False", Qt::CaseInsensitive) == 0)
            return TVariant(!a.ToBool());
        break;
    }
    case TVariantType::Empty:
    case TVariantType::Integer:
    case TVariantType::Double:
    case TVariantType::Date:
        break;
    }
    return TVariant(~a.ToInt());
}

int Compare(const TVariant& a, const TVariant& b)
{
    if (a.IsArray() || b.IsArray())
        RaiseInvalidOperation(u"compare", a, b);
    // Null equals only null and sorts before everything else.
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && b.IsNull() ? 0 : (a.IsNull() ? -1 : 1);
    if (IsStringLike(a) && IsStringLike(b))
        return CompareTexts(a.ToString(), b.ToString());
    if (a.Type() == TVariantType::Boolean || b.Type() == TVariantType::Boolean) {
        if (IsBooleanLike(a) && IsBooleanLike(b))
            return int(a.ToBool()) - int(b.ToBool());
    }
    if (a.Type() == TVariantType::Integer && b.Type() == TVariantType::Integer) {
        return Order(a.ToInt(), b.ToInt());
    }
    return Order(a.ToDouble(), b.ToDouble());
}

bool operator==(const TVariant& a, const TVariant& b)
{
    return Compare(a, b) == 0;
}

bool IsIdentical(const TVariant& a, const TVariant& b)
{
    if (a.Type() != b.Type())
        return false;
    switch (a.Type()) {
    case TVariantType::Empty:
    case TVariantType::Null:
        return true;
    case TVariantType::Boolean:
        return a.ToBool() == b.ToBool();
    case TVariantType::Integer:
        return a.ToInt() == b.ToInt();
    case TVariantType::Double:
    case TVariantType::Date:
        return a.ToDouble() == b.ToDouble();
    case TVariantType::String:
        return a.ToString() == b.ToString();
    case TVariantType::Array:
        break;
    }
    const std::vector<TVariant>& x = a.Elements();
    const std::vector<TVariant>& y = b.Elements();
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), IsIdentical);
}
