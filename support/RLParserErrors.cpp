#include "support/RLParserErrors.h"

#include "platform/Exceptions.h"

#include <QString>

void RaiseIncorrectNumberFormat(int position)
{
    throw EReportError(QStringLiteral("Incorrect number format at %1!").arg(position));
}

void RaiseParameterListNotSupported(int position)
{
    throw EReportError(QStringLiteral("Parameter list not suported at %1!").arg(position));
}

void RaiseBracketsExpected(int position)
{
    throw EReportError(QStringLiteral("Brackets expected at %1!").arg(position));
}

void RaiseInlineExpected(int position)
{
    throw EReportError(QStringLiteral("Inline expected at %1!").arg(position));
}

void RaiseNestedTooDeeply(int position)
{
    throw EReportError(QStringLiteral("Expression nested too deeply at %1!").arg(position));
}

void RaiseUndefinedIdentifier(QStringView name)
{
    throw EReportError(QStringLiteral("Undefined identifier \"%1\"").arg(name));
}

void RaiseWrongNumberOfArguments()
{
    throw EReportError(QStringLiteral("Wrong number of arguments"));
}

void RaiseLeftSideCannotBeAssigned()
{
    throw EReportError(QStringLiteral("Left side cannot be Assigned"));
}

void RaiseListIndexOutOfBounds(int index)
{
    throw EReportError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void RaiseTextTooLong(qsizetype length, qsizetype limit)
{
    throw EReportError(QStringLiteral("Text of %1 characters is too long for an expression (at most %2)")
                           .arg(length)
                           .arg(limit));
}
