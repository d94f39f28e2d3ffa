#include "report/RLErrors.h"

#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

namespace {

QString Quoted(QStringView value)
{
    return QLatin1Char('"') + value.toString() + QLatin1Char('"');
}

} // namespace

void RaiseNotFound(const TComponent& where, QStringView member, QStringView value)
{
    QString message
        = LocaleText(TLocaleTextId::NotFound) + QStringLiteral(": ") + where.Name() + member.toString();
    if (!value.isEmpty())
        message += QLatin1Char(' ') + Quoted(value);
    throw EReportError(message);
}

void RaiseNameAlreadyUsed(QStringView value)
{
    throw EReportError(LocaleText(TLocaleTextId::NameAlreadyUsed) + QLatin1Char(' ') + Quoted(value));
}

void RaiseInvalidName(QStringView value)
{
    throw EReportError(LocaleText(TLocaleTextId::InvalidName) + QLatin1Char(' ') + Quoted(value));
}

void RaiseNoPrintOutput(const TComponent& report)
{
    throw EReportError(report.Name() + QStringLiteral(": no printer output is registered"));
}

QString PreparationErrorMessage(QStringView reportName, QStringView message)
{
    return reportName.toString() + QStringLiteral(": ") + LocaleText(TLocaleTextId::PreparationError)
        + QLatin1Char('\r') + message.toString();
}
