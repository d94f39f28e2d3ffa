#pragma once

#include "support/Clock.h"

#include <QString>
#include <variant>
#include <vector>

enum class TVariantType { Empty, Null, Boolean, Integer, Double, String, Date, Array };

/// A value of a dynamic type, with the platform's variant conversions and arithmetic: empty
/// counts as 0 or "", null spreads through arithmetic, a string meets a number as a number (read
/// in the current locale), integers overflow into doubles. Impossible conversions and operations
/// throw EReportError ("Could not convert variant of type (String) into type (Double)").
class TVariant {
public:
    /// Empty.
    TVariant() = default;
    /// Boolean, Integer, Integer, Double, String and String values; implicit, so that a plain C++
    /// value passes where a TVariant is taken.
    ///@{
    TVariant(bool value);
    TVariant(int value);
    TVariant(qint64 value);
    TVariant(double value);
    TVariant(const QString& value);
    TVariant(const char16_t* value);
    ///@}
    /// Would silently become a Boolean; build a QString instead.
    TVariant(const char* value) = delete;
    /// The database null, distinct from Empty.
    static TVariant Null();
    /// A Date from a day count, or from a date and time read as its wall clock (zone ignored).
    ///@{
    static TVariant FromDateTime(TDateTime value);
    static TVariant FromDateTime(const QDateTime& value);
    ///@}
    /// An Array of those elements.
    static TVariant Array(std::vector<TVariant> elements);

    /// The kind of value held, and the tests for single kinds.
    ///@{
    TVariantType Type() const { return TVariantType(m_value.index()); }
    bool IsEmpty() const { return Type() == TVariantType::Empty; }
    bool IsNull() const { return Type() == TVariantType::Null; }
    bool IsArray() const { return Type() == TVariantType::Array; }
    ///@}
    /// Integer, Double or Date.
    bool IsNumeric() const;
    /// "Empty", "Null", "Boolean", "Integer", "Double", "String", "Date", "Array".
    ///@{
    QString TypeName() const;
    static QString TypeName(TVariantType type);
    ///@}

    /// Empty is false; numbers are true unless 0; strings "True"/"False" (any case) or numbers.
    bool ToBool() const;
    /// Doubles and numeric strings round half to even.
    qint64 ToInt() const;
    /// Empty is 0, True is -1, a date its day count, a string read as a number in the locale;
    /// null, arrays and other strings throw.
    double ToDouble() const;
    /// The text form in the current locale; empty and null give "". True is "True"; a date
    /// prints as the locale's date and time (time alone on day 0, date alone at midnight).
    QString ToString() const;
    /// Strings are read as the locale writes dates and times, else as a day count.
    TDateTime ToDateTime() const;
    /// The elements of an array (throws for any other type).
    const std::vector<TVariant>& Elements() const;
    /// Element `index` (from 0) of an array.
    const TVariant& ElementAt(qsizetype index) const;

    /// This value converted to `type`, as the conversions above do (Null stays Null only for Null).
    TVariant ConvertedTo(TVariantType type) const;

private:
    // Indexed in TVariantType's order; Double and Date share the C++ type.
    using Storage = std::variant<std::monostate, std::nullptr_t, bool, qint64, double, QString, TDateTime,
        std::vector<TVariant>>;
    explicit TVariant(Storage value);
    template<TVariantType type> const auto& Get() const { return std::get<size_t(type)>(m_value); }

    Storage m_value;
};

// Arithmetic: null operands give null; "+" of two strings concatenates.
TVariant operator+(const TVariant& a, const TVariant& b);
TVariant operator-(const TVariant& a, const TVariant& b);
TVariant operator*(const TVariant& a, const TVariant& b);
/// Real division: always a Double; division by zero throws.
TVariant operator/(const TVariant& a, const TVariant& b);
TVariant operator-(const TVariant& a);
/// Integer division (truncated) and remainder of the operands as integers.
TVariant IntDiv(const TVariant& a, const TVariant& b);
TVariant Mod(const TVariant& a, const TVariant& b);
/// Logical for Booleans (and strings meeting a Boolean), bitwise for integers.
TVariant And(const TVariant& a, const TVariant& b);
TVariant Or(const TVariant& a, const TVariant& b);
TVariant Xor(const TVariant& a, const TVariant& b);
TVariant Not(const TVariant& a);

/// Comparison: a string meeting a number compares as a number; strings compare in the locale's
/// order; null equals only null and is less than any other value. -1, 0 or 1.
int Compare(const TVariant& a, const TVariant& b);
/// Equality by value across types as Compare sees it ("1" == 1).
bool operator==(const TVariant& a, const TVariant& b);
inline bool operator!=(const TVariant& a, const TVariant& b)
{
    return !(a == b);
}
inline bool operator<(const TVariant& a, const TVariant& b)
{
    return Compare(a, b) < 0;
}
inline bool operator<=(const TVariant& a, const TVariant& b)
{
    return Compare(a, b) <= 0;
}
inline bool operator>(const TVariant& a, const TVariant& b)
{
    return Compare(a, b) > 0;
}
inline bool operator>=(const TVariant& a, const TVariant& b)
{
    return Compare(a, b) >= 0;
}

/// The same type and the same value (1 and 1.0 differ, unlike ==).
bool IsIdentical(const TVariant& a, const TVariant& b);
