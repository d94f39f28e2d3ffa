#pragma once

#include <QString>

class TComponent;
enum class TFieldType;

/// The name a dataset or data source goes by in messages: its component name, else its class name.
QString ComponentLabel(const TComponent& component);

[[noreturn]] void RaiseFieldNotFound(const TComponent& dataSet, QStringView fieldName);
[[noreturn]] void RaiseDuplicateField(const TComponent& dataSet, QStringView fieldName);
[[noreturn]] void RaiseDataSetOpen(const TComponent& dataSet, QStringView action);
/// A value that cannot become its field's type; `record` counts from 1.
[[noreturn]] void RaiseBadValue(
    const TComponent& dataSet, QStringView fieldName, int record, QStringView value, TFieldType type);
[[noreturn]] void RaiseWrongValueCount(const TComponent& dataSet, int expected, int given);
/// A fault in the master-detail or index settings of a dataset.
[[noreturn]] void RaiseLinkError(const TComponent& dataSet, QStringView detail);
[[noreturn]] void RaiseNotAPicture(const TComponent& dataSet, QStringView fieldName, QStringView reason);

/// A fault of a table file as a whole (missing, truncated, corrupt, encrypted).
[[noreturn]] void RaiseTableError(const QString& file, const QString& fault);
/// `changedFile` (the table `file` or its blob file) is no longer what it was when the table was opened.
[[noreturn]] void RaiseTableChanged(const QString& file, const QString& changedFile);
/// A value of one record that cannot be read; `record` counts from 1.
[[noreturn]] void RaiseTableValueError(
    const QString& file, int record, QStringView fieldName, const QString& fault);
/// A declared field the stored table lacks (`storedType` empty) or holds with another type.
[[noreturn]] void RaiseStructureMismatch(
    const QString& file, QStringView fieldName, const QString& declaredType, const QString& storedType);
