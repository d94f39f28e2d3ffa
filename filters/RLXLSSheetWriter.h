#pragma once

#include <QString>
#include <QtGlobal>

class TRLXLSPageSetup;
class TRLXLSRecordWriter;
class TRLXLSSaveTables;
class TRLXLSSharedStrings;
class TRLXLSWorksheet;

/// Where a written sheet lies in the stream it was written to, so that the workbook can point
/// at it once the sheet part is placed after the globals.
struct TRLXLSSheetPlace {
    QString Title;
    /// Its BOF record.
    qint64 Start = 0;
    /// The first block position inside its INDEX record.
    qint64 IndexPositions = 0;
    /// Row blocks, each with its DBCELL position in the INDEX record.
    int BlockCount = 0;
};

/// Writes one sheet's substream, BOF to EOF, taking its fonts, formats and cell formats from
/// `tables` and its texts' indexes from `strings`, range by range. The INDEX record holds the
/// DBCELL positions in this stream.
TRLXLSSheetPlace WriteWorksheet(TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet,
    const TRLXLSPageSetup& setup, TRLXLSSaveTables& tables, TRLXLSSharedStrings& strings, bool firstSheet);
