#include "support/VariantErrors.h"

#include "platform/Exceptions.h"

void RaiseCannotConvert(TVariantType from, TVariantType to)
{
    throw EReportError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                           .arg(TVariant::TypeName(from), TVariant::TypeName(to)));
}

void RaiseConversionOverflow(TVariantType from, TVariantType to)
{
    throw EReportError(QStringLiteral("Overflow while converting variant of type (%1) into type (%2)")
                           .arg(TVariant::TypeName(from), TVariant::TypeName(to)));
}

void RaiseInvalidOperation(QStringView operation, const TVariant& a, const TVariant& b)
{
    throw EReportError(QStringLiteral("Invalid variant operation: (%1) %2 (%3)")
                           .arg(a.TypeName(), operation.toString(), b.TypeName()));
}

void RaiseInvalidOperation(QStringView operation, const TVariant& a)
{
    throw EReportError(
        QStringLiteral("Invalid variant operation: %1 (%2)").arg(operation.toString(), a.TypeName()));
}

void RaiseDivisionByZero()
{
    throw EReportError(QStringLiteral("Division by zero"));
}

void RaiseFloatDivisionByZero()
{
    throw EReportError(QStringLiteral("Floating point division by zero"));
}
