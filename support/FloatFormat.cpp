#include "support/FloatFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Rounding starts from the shortest decimal text that reads back as the same double, so that a
// value rounds as it reads: 1.005 to two decimals is 1.01, as the user typed it, not 1.00 as its
// binary neighbour 1.00499999999999989... would give.
constexpr int kGeneralPrecision = 15;
constexpr int kGeneralLowestExponent = -4;
constexpr int kMaxSections = 3;
constexpr int kMaxExponentDigits = 4;

/// |value| as 0.d1d2d3... x 10^Exponent; no digits for zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
};

TDecimal ToDecimal(double value)
{
    TDecimal decimal;
    value = std::fabs(value);
    if (value == 0)
        return decimal;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    // d[.ddd]e[+-]xx: read in place, as every number printed goes through here.
    const char* e = std::find(buffer, result.ptr, 'e');
    decimal.Digits.reserve(std::size_t(e - buffer));
    for (const char* c = buffer; c != e; ++c) {
        if (*c != '.')
            decimal.Digits += *c;
    }
    const char* exponent = e + 1;
    if (exponent != result.ptr && *exponent == '+')
        ++exponent;
    int power = 0;
    std::from_chars(exponent, result.ptr, power);
    decimal.Exponent = power + 1;
    while (!decimal.Digits.empty() && decimal.Digits.back() == '0')
        decimal.Digits.pop_back();
    return decimal;
}

/// Keeps `count` digits (count may be 0 or negative: the value may round up to a new digit
/// or down to zero), halves away from zero.
void RoundDigits(TDecimal& decimal, int count)
{
    if (count < 0 || int(decimal.Digits.size()) <= count) {
        if (count < 0) {
            decimal.Digits.clear();
            decimal.Exponent = 0;
        }
        return;
    }
    const bool up = decimal.Digits[size_t(count)] >= '5';
    decimal.Digits.resize(size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && decimal.Digits[size_t(i)] == '9')
            decimal.Digits[size_t(i--)] = '0';
        if (i < 0) {
            decimal.Digits.insert(decimal.Digits.begin(), '1');
            ++decimal.Exponent;
        } else {
            ++decimal.Digits[size_t(i)];
        }
    }
    while (!decimal.Digits.empty() && decimal.Digits.back() == '0')
        decimal.Digits.pop_back();
    if (decimal.Digits.empty())
        decimal.Exponent = 0;
}

/// The digit at `position` of the digit string; places beyond the significant digits are zero.
char DigitAt(const TDecimal& decimal, int position)
{
    if (position < 0 || position >= int(decimal.Digits.size()))
        return '0';
    return decimal.Digits[size_t(position)];
}

QString SpecialValue(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

std::vector<QStringView> SplitSections(QStringView picture)
{
    std::vector<QStringView> sections;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections.push_back(picture.mid(start, i - start));
            start = i + 1;
            if (int(sections.size()) == kMaxSections)
                return sections;
        }
    }
    sections.push_back(picture.mid(start));
    return sections;
}

/// What one section of a picture asks for.
struct TPicture {
    int IntegerPlaces = 0; // digit places before the decimal point
    int ForcedIntegerPlaces = 0; // from the first "0" before the decimal point
    int DecimalPlaces = 0;
    int ForcedDecimalPlaces = 0; // up to the last "0" after the decimal point
    bool HasDecimalPoint = false;
    bool Thousands = false;
    bool Scientific = false;
    bool ExponentAlwaysSigned = false;
    QChar ExponentLetter;
    int ExponentPlaces = 0; // the "0"s after the exponent's sign
    int ExponentDigits = 0; // the least digits printed, at most kMaxExponentDigits
};

bool IsExponentAt(QStringView section, qsizetype i)
{
    return (section[i] == u'E' || section[i] == u'e') && i + 1 < section.size()
        && (section[i + 1] == u'+' || section[i + 1] == u'-');
}

qsizetype SkipQuoted(QStringView section, qsizetype i)
{
    const QChar quote = section[i];
    qsizetype j = i + 1;
    while (j < section.size() && section[j] != quote)
        ++j;
    return j; // the closing quote, or the end
}

TPicture ParsePicture(QStringView section)
{
    TPicture picture;
    bool seenIntegerZero = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'\'' || c == u'"') {
            i = SkipQuoted(section, i);
        } else if (c == u'0' || c == u'#') {
            if (picture.HasDecimalPoint) {
                ++picture.DecimalPlaces;
                if (c == u'0')
                    picture.ForcedDecimalPlaces = picture.DecimalPlaces;
            } else {
                ++picture.IntegerPlaces;
                seenIntegerZero = seenIntegerZero || c == u'0';
                if (seenIntegerZero)
                    ++picture.ForcedIntegerPlaces;
            }
        } else if (c == u'.') {
            picture.HasDecimalPoint = true;
        } else if (c == u',') {
            picture.Thousands = true;
        } else if (IsExponentAt(section, i)) {
            picture.Scientific = true;
            picture.ExponentLetter = c;
            picture.ExponentAlwaysSigned = section[i + 1] == u'+';
            for (qsizetype j = i + 2; j < section.size() && section[j] == u'0'; ++j)
                ++picture.ExponentPlaces;
            picture.ExponentDigits = std::min(picture.ExponentPlaces, kMaxExponentDigits);
            // The rest of the section is text after the exponent.
            break;
        }
    }
    return picture;
}

/// The digits to print: integer digits (without leading zeros beyond the forced ones),
/// decimal digits (trailing zeros beyond the forced ones dropped) and the exponent.
struct TDigits {
    // Bytes, not QStrings: a number has a handful of digits, which fit without a heap block.
    std::string Integer;
    std::string Fraction;
    QString Exponent;
};

QString ExponentText(const TPicture& picture, int exponent)
{
    QString digits = QString::number(std::abs(exponent));
    if (digits.size() < picture.ExponentDigits)
        digits = QString(picture.ExponentDigits - digits.size(), u'0') + digits;
    QString sign;
    if (exponent < 0)
        sign = QStringLiteral("-");
    else if (picture.ExponentAlwaysSigned)
        sign = QStringLiteral("+");
    return picture.ExponentLetter + sign + digits;
}

TDigits FixedDigits(const TPicture& picture, TDecimal decimal)
{
    RoundDigits(decimal, decimal.Exponent + picture.DecimalPlaces);
    TDigits digits;
    digits.Integer.reserve(std::size_t(std::max(decimal.Exponent, 0)));
    for (int i = 0; i < decimal.Exponent; ++i)
        digits.Integer += DigitAt(decimal, i);
    digits.Fraction.reserve(std::size_t(std::max(picture.DecimalPlaces, 0)));
    for (int i = 0; i < picture.DecimalPlaces; ++i)
        digits.Fraction += DigitAt(decimal, decimal.Exponent + i);
    return digits;
}

TDigits ScientificDigits(const TPicture& picture, TDecimal decimal)
{
    const int integerDigits = std::max(picture.IntegerPlaces, 1);
    RoundDigits(decimal, integerDigits + picture.DecimalPlaces);
    TDigits digits;
    for (int i = 0; i < integerDigits; ++i)
        digits.Integer += DigitAt(decimal, i);
    for (int i = 0; i < picture.DecimalPlaces; ++i)
        digits.Fraction += DigitAt(decimal, integerDigits + i);
    const int exponent = decimal.Digits.empty() ? 0 : decimal.Exponent - integerDigits;
    digits.Exponent = ExponentText(picture, exponent);
    return digits;
}

TDigits DigitsFor(const TPicture& picture, double value)
{
    TDigits digits = picture.Scientific ? ScientificDigits(picture, ToDecimal(value))
                                        : FixedDigits(picture, ToDecimal(value));
    if (!picture.Scientific) {
        std::size_t leading = 0;
        while (leading < digits.Integer.size() && digits.Integer[leading] == '0')
            ++leading;
        digits.Integer.erase(0, leading);
    }
    if (qsizetype(digits.Integer.size()) < picture.ForcedIntegerPlaces)
        digits.Integer.insert(0, std::size_t(picture.ForcedIntegerPlaces) - digits.Integer.size(), '0');
    while (qsizetype(digits.Fraction.size()) > picture.ForcedDecimalPlaces && !digits.Fraction.empty()
        && digits.Fraction.back() == '0')
        digits.Fraction.pop_back();
    return digits;
}

bool IsZero(const TDigits& digits)
{
    const auto zero = [](char c) { return c == '0'; };
    return std::all_of(digits.Integer.begin(), digits.Integer.end(), zero)
        && std::all_of(digits.Fraction.begin(), digits.Fraction.end(), zero);
}

/// Writes the section with the digits in place of its digit places.
QString ApplySection(
    QStringView section, const TPicture& picture, const TDigits& digits, const TFormatSettings& settings)
{
    QString out;
    const auto integerCount = qsizetype(digits.Integer.size());
    // Room for every digit with a separator after each, the section's own text and the exponent.
    out.reserve(section.size() + integerCount * (1 + settings.ThousandSeparator.size())
        + qsizetype(digits.Fraction.size()) + digits.Exponent.size() + settings.DecimalSeparator.size());
    qsizetype nextInteger = 0; // digits.Integer emitted so far
    int integerPlace = 0;
    int decimalPlace = 0;
    bool inFraction = false;
    bool exponentDone = false;
    auto emitInteger = [&](qsizetype upTo) {
        for (; nextInteger < upTo; ++nextInteger) {
            out += QLatin1Char(digits.Integer[std::size_t(nextInteger)]);
            const qsizetype remaining = integerCount - nextInteger - 1;
            if (picture.Thousands && remaining > 0 && remaining % 3 == 0)
                out += settings.ThousandSeparator;
        }
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = SkipQuoted(section, i);
            out += section.mid(i + 1, end - i - 1);
            i = end;
        } else if ((c == u'0' || c == u'#') && !exponentDone) {
            if (!inFraction) {
                ++integerPlace;
                // Digits beyond the places go with the first place; each place takes its
                // digit counted from the right.
                emitInteger(std::max<qsizetype>(0, integerCount - (picture.IntegerPlaces - integerPlace)));
            } else if (std::size_t(decimalPlace) < digits.Fraction.size()) {
                out += QLatin1Char(digits.Fraction[std::size_t(decimalPlace++)]);
            }
        } else if (c == u'.' && !inFraction && !exponentDone) {
            emitInteger(integerCount);
            inFraction = true;
            if (!digits.Fraction.empty())
                out += settings.DecimalSeparator;
        } else if (c == u',' && !exponentDone) {
            // Only a switch: the separators go between the digit groups.
        } else if (!exponentDone && picture.Scientific && IsExponentAt(section, i)) {
            emitInteger(integerCount);
            out += digits.Exponent;
            // Past the letter, the sign and the exponent's digit places.
            i += 1 + picture.ExponentPlaces;
            exponentDone = true;
        } else {
            out += c;
        }
    }
    emitInteger(integerCount);
    if (!inFraction && !digits.Fraction.empty()) {
        out += settings.DecimalSeparator;
        out += QLatin1StringView(digits.Fraction);
    }
    return out;
}

} // namespace

QString FormatFloat(QStringView picture, double value, const TFormatSettings& settings)
{
    if (std::isnan(value) || std::isinf(value))
        return SpecialValue(value);
    if (picture.isEmpty())
        return FloatToStr(value, settings);
    const std::vector<QStringView> sections = SplitSections(picture);
    auto sectionOrFirst = [&](size_t index) {
        return index < sections.size() && !sections[index].isEmpty() ? sections[index] : sections[0];
    };
    const bool hasZeroSection = sections.size() > 2 && !sections[2].isEmpty();
    const bool hasNegativeSection = sections.size() > 1 && !sections[1].isEmpty();

    QStringView section = value < 0 ? sectionOrFirst(1) : sections[0];
    TPicture parsed = ParsePicture(section);
    TDigits digits = DigitsFor(parsed, value);
    if (value == 0 || IsZero(digits)) {
        // A value that rounds to zero prints as zero, without a sign.
        section = hasZeroSection ? sections[2] : sections[0];
        parsed = ParsePicture(section);
        digits = DigitsFor(parsed, 0.0);
        return ApplySection(section, parsed, digits, settings);
    }
    const QString body = ApplySection(section, parsed, digits, settings);
    return value < 0 && !hasNegativeSection ? u'-' + body : body;
}

QString FormatFloat(QStringView picture, double value)
{
    return FormatFloat(picture, value, FormatSettings());
}

QString FloatToStr(double value, const TFormatSettings& settings)
{
    if (std::isnan(value) || std::isinf(value))
        return SpecialValue(value);
    TDecimal decimal = ToDecimal(value);
    RoundDigits(decimal, kGeneralPrecision);
    if (decimal.Digits.empty())
        return QStringLiteral("0");
    QString out = value < 0 ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(decimal.Digits.data(), qsizetype(decimal.Digits.size()));
    const int exponent = decimal.Exponent;
    if (exponent > kGeneralPrecision || exponent < kGeneralLowestExponent + 1) {
        out += digits[0];
        if (digits.size() > 1)
            out += settings.DecimalSeparator + digits.mid(1);
        out += u'E' + QString::number(exponent - 1);
        return out;
    }
    if (exponent <= 0) {
        out += u'0' + settings.DecimalSeparator + QString(-exponent, u'0') + digits;
    } else if (digits.size() <= exponent) {
        out += digits + QString(exponent - digits.size(), u'0');
    } else {
        out += digits.left(exponent) + settings.DecimalSeparator + digits.mid(exponent);
    }
    return out;
}

QString FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}

bool TryStrToFloat(QStringView text, double& value, const TFormatSettings& settings)
{
    const QStringView trimmed = text.trimmed();
    QByteArray plain;
    plain.reserve(trimmed.size());
    qsizetype i = 0;
    auto digitsAt = [&] {
        const qsizetype start = i;
        while (i < trimmed.size() && trimmed[i] >= u'0' && trimmed[i] <= u'9')
            plain += char(trimmed[i++].unicode());
        return i - start;
    };
    if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-'))
        plain += char(trimmed[i++].unicode());
    qsizetype mantissaDigits = digitsAt();
    if (!settings.DecimalSeparator.isEmpty() && trimmed.mid(i).startsWith(settings.DecimalSeparator)) {
        plain += '.';
        i += settings.DecimalSeparator.size();
        mantissaDigits += digitsAt();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < trimmed.size() && (trimmed[i] == u'e' || trimmed[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-'))
            plain += char(trimmed[i++].unicode());
        if (digitsAt() == 0)
            return false;
    }
    if (i != trimmed.size())
        return false;
    bool ok = false;
    const double parsed = plain.toDouble(&ok);
    if (!ok)
        return false;
    value = parsed;
    return true;
}

bool TryStrToFloat(QStringView text, double& value)
{
    return TryStrToFloat(text, value, FormatSettings());
}
