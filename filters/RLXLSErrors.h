#pragma once

#include <QString>

class QIODevice;

// The messages of the spreadsheet output, one maker per shape.

/// "Cannot create <file>: <reason>".
[[noreturn]] void RaiseXLSCannotCreate(const QString& fileName, const QString& reason);
/// "Cannot write <target>: <reason>" with the device's error text.
[[noreturn]] void RaiseXLSCannotWrite(const QString& target, const QIODevice& device);
/// "Cannot read <target>: <reason>" with the device's error text.
[[noreturn]] void RaiseXLSCannotRead(const QString& target, const QIODevice& device);
/// A stream that a compound document of 512-byte sectors cannot hold.
[[noreturn]] void RaiseXLSStreamTooLarge(const QString& target, qint64 size);
/// A header or footer longer than the format allows; `which` is "header" or "footer".
[[noreturn]] void RaiseXLSHeaderTooLong(const QString& which, qsizetype length);
/// A cell area outside a sheet or with its sides reversed.
[[noreturn]] void RaiseXLSBadCellArea(const QString& sheetName, int left, int top, int right, int bottom);
