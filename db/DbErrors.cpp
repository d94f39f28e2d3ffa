#include "db/DbErrors.h"

#include "db/Field.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>

QString ComponentLabel(const TComponent& component)
{
    return component.Name().isEmpty() ? component.ClassName() : component.Name();
}

void RaiseFieldNotFound(const TComponent& dataSet, QStringView fieldName)
{
    throw EReportError(QCoreApplication::translate("TDataSet", "%1: field \"%2\" not found")
                           .arg(ComponentLabel(dataSet), fieldName));
}

void RaiseDuplicateField(const TComponent& dataSet, QStringView fieldName)
{
    throw EReportError(QCoreApplication::translate("TDataSet", "%1: duplicate field \"%2\"")
                           .arg(ComponentLabel(dataSet), fieldName));
}

void RaiseDataSetOpen(const TComponent& dataSet, QStringView action)
{
    throw EReportError(QCoreApplication::translate("TDataSet", "%1: cannot %2 while the dataset is open")
                           .arg(ComponentLabel(dataSet), action));
}

void RaiseBadValue(
    const TComponent& dataSet, QStringView fieldName, int record, QStringView value, TFieldType type)
{
    throw EReportError(
        QCoreApplication::translate("TDataSet", "%1: record %2, field \"%3\": \"%4\" is not a valid %5 value")
            .arg(ComponentLabel(dataSet))
            .arg(record)
            .arg(fieldName, value, FieldTypeName(type)));
}

void RaiseWrongValueCount(const TComponent& dataSet, int expected, int given)
{
    throw EReportError(QCoreApplication::translate("TDataSet", "%1: a record needs %2 values, %3 given")
                           .arg(ComponentLabel(dataSet))
                           .arg(expected)
                           .arg(given));
}

void RaiseLinkError(const TComponent& dataSet, QStringView detail)
{
    throw EReportError(QStringLiteral("%1: %2").arg(ComponentLabel(dataSet), detail));
}

void RaiseNotAPicture(const TComponent& dataSet, QStringView fieldName, QStringView reason)
{
    throw EReportError(QCoreApplication::translate("TDataSet", "%1: field \"%2\" holds no picture: %3")
                           .arg(ComponentLabel(dataSet), fieldName, reason));
}

void RaiseTableError(const QString& file, const QString& fault)
{
    throw EReportError(
        QCoreApplication::translate("TParadoxReader", "Paradox table \"%1\": %2").arg(file, fault));
}

void RaiseTableChanged(const QString& file, const QString& changedFile)
{
    if (changedFile == file)
        throw EReportError(QCoreApplication::translate(
            "TParadoxReader", "Paradox table \"%1\" changed while the report was being made; run it again")
                               .arg(file));
    throw EReportError(QCoreApplication::translate("TParadoxReader",
        "Paradox table \"%1\": its blob file %2 changed while the report was being made; run it again")
                           .arg(file, changedFile));
}

void RaiseTableValueError(const QString& file, int record, QStringView fieldName, const QString& fault)
{
    throw EReportError(
        QCoreApplication::translate("TParadoxReader", "Paradox table \"%1\", record %2, field \"%3\": %4")
            .arg(file)
            .arg(record)
            .arg(fieldName, fault));
}

void RaiseStructureMismatch(
    const QString& file, QStringView fieldName, const QString& declaredType, const QString& storedType)
{
    if (storedType.isEmpty())
        throw EReportError(QCoreApplication::translate(
            "TParadoxReader", "Table \"%1\": the declared field \"%2\" (%3) is not in the stored table")
                               .arg(file, fieldName, declaredType));
    throw EReportError(QCoreApplication::translate(
        "TParadoxReader", "Table \"%1\": field \"%2\" is declared %3 but stored as %4")
                           .arg(file, fieldName, declaredType, storedType));
}
