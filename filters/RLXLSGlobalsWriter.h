#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class TRLXLSRecordWriter;
class TRLXLSSaveTables;
class TRLXLSSharedStrings;

/// Writes the workbook globals, BOF to EOF: settings, fonts, formats, cell formats, palette,
/// styles, one BOUNDSHEET per title, the shared strings. Returns, per sheet, the position of
/// its BOUNDSHEET's stream-position field, to be filled in once the sheets are placed.
std::vector<qint64> WriteGlobals(TRLXLSRecordWriter& out, TRLXLSSaveTables& tables,
    TRLXLSSharedStrings& strings, const QString& userName, const std::vector<QString>& sheetTitles);
