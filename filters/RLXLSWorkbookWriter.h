#pragma once

#include "filters/RLXLSPageSetup.h"
#include "filters/RLXLSSaveTables.h"
#include "filters/RLXLSSheetWriter.h"

#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class TRLXLSRecordWriter;
class TRLXLSScratchFile;
class TRLXLSSharedStrings;
class TRLXLSWorksheet;

/// Writes a workbook sheet by sheet, so that only one sheet's cells live in memory: each sheet
/// goes to a temporary sheet part as soon as it is filled, and its texts to the temporary shared
/// strings, while the fonts, formats and cell formats it uses are gathered for the globals, which
/// precede the sheets in the stream and are written at the end.
class TRLXLSWorkbookWriter {
public:
    /// Creates the temporary sheet part and shared strings.
    explicit TRLXLSWorkbookWriter(const TRLXLSPageSetup& setup);
    /// Deletes the temporary sheet part and shared strings.
    ~TRLXLSWorkbookWriter();
    TRLXLSWorkbookWriter(const TRLXLSWorkbookWriter&) = delete;
    TRLXLSWorkbookWriter& operator=(const TRLXLSWorkbookWriter&) = delete;

    void AddSheet(const TRLXLSWorksheet& sheet);
    int SheetCount() const { return int(m_places.size()); }
    const TRLXLSSaveTables& Tables() const { return m_tables; }

    /// The compound document holding the workbook stream: the globals, then the sheets, with every
    /// stream position filled in. `out` is written through from start to end, without a copy of
    /// the stream beside it. Call once.
    void WriteDocument(QIODevice& out, const QString& target, const QString& userName);

private:
    TRLXLSPageSetup m_setup;
    TRLXLSSaveTables m_tables;
    std::unique_ptr<TRLXLSSharedStrings> m_strings;
    std::unique_ptr<TRLXLSScratchFile> m_sheetPart;
    std::unique_ptr<TRLXLSRecordWriter> m_sheetWriter;
    std::vector<TRLXLSSheetPlace> m_places;
};

/// The workbook as a compound document in `fileName`, replaced only when the whole document is
/// written.
void SaveXLSFile(const QString& fileName, TRLXLSWorkbookWriter& workbook, const QString& userName);
