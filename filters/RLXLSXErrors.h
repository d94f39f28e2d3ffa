#pragma once

#include <QString>

// The messages of the XLSX output, one maker per shape. libxlsxwriter's own texts are English
// and name its internals, so each of its error codes gets a reason in the user's language.

/// Why libxlsxwriter gave up, from its error code; `tempDir` is where its temporary files go.
QString XLSXErrorReason(int error, const QString& tempDir);
/// A cell, row or merge the library refused: the sheet, the 1-based row and column, the reason.
QString XLSXCellReason(const QString& sheet, int row, int column, const QString& reason);
/// A sheet the library could not start, and why.
QString XLSXSheetReason(const QString& sheet, const QString& reason);
/// Why a sheet could not be started when the library gives no code: each sheet holds a
/// temporary file open until the workbook is finished.
QString XLSXNoSheetFileReason(const QString& tempDir);
/// A page of the store that cannot be read again for the one-sheet workbook.
[[noreturn]] void RaiseXLSXPageUnreadable(const QString& target, int page);
