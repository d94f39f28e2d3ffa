#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class TRLXLSRecordWriter;
class TRLXLSSaveTables;
class TRLXLSSharedStrings;

/// Writes the workbook globals before the shared strings, from BOF on: settings, fonts, formats,
/// cell formats, palette, styles, one BOUNDSHEET per title. Returns, per sheet, the position of
/// its BOUNDSHEET's stream-position field, to be filled in once the sheets are placed.
std::vector<qint64> WriteGlobals(TRLXLSRecordWriter& out, TRLXLSSaveTables& tables, const QString& userName,
    const std::vector<QString>& sheetTitles);
/// Writes the globals after the shared strings copied to stream position `tableStart`: their
/// index, then EOF.
void WriteGlobalsEnd(TRLXLSRecordWriter& out, TRLXLSSharedStrings& strings, qint64 tableStart);
