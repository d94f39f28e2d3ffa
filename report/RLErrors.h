#pragma once

#include <QString>
#include <QStringView>

class TComponent;

/// "Não encontrado: <name><member>" and, when given, a blank and the value in double quotes.
[[noreturn]] void RaiseNotFound(const TComponent& where, QStringView member, QStringView value = {});
/// "Nome já utilizado "<value>"".
[[noreturn]] void RaiseNameAlreadyUsed(QStringView value);
/// "Nome inválido "<value>"".
[[noreturn]] void RaiseInvalidName(QStringView value);
/// "<name>: no printer output is registered" (Print without the layers that print).
[[noreturn]] void RaiseNoPrintOutput(const TComponent& report);
/// The text shown when preparing `reportName` failed with `message`.
QString PreparationErrorMessage(QStringView reportName, QStringView message);
