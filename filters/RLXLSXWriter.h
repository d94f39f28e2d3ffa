#pragma once

#include "filters/RLXLSPageSetup.h"

#include "platform/Graphics.h"

#include <QString>
#include <map>
#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;
class TRLXLSScratchFile;
class TRLXLSXSheetSpill;
class TRLXLSWorksheet;
struct TRLXLSCol;

/// Writes sheets of the spreadsheet grid (TRLXLSWorksheet) into an Office Open XML workbook with
/// libxlsxwriter in its constant-memory mode: a row is handed to the library's temporary file as
/// soon as a later row starts, so rows go out strictly in order, sheet by sheet. The workbook is
/// built in a temporary file of its own and copied to the output by Save.
class TRLXLSXWorkbookWriter {
public:
    /// Starts the workbook for `fileName` in a new temporary file. libxlsxwriter's own temporary
    /// files (one sheet's text at a time, unlinked as soon as they are made) go to the same
    /// directory, or to /dev/shm when `smallSheets` (a page a sheet) and no TMPDIR was chosen.
    TRLXLSXWorkbookWriter(const QString& fileName, const TRLXLSPageSetup& setup, bool smallSheets = false);
    /// Drops an unsaved workbook and deletes the temporary file.
    ~TRLXLSXWorkbookWriter();
    TRLXLSXWorkbookWriter(const TRLXLSXWorkbookWriter&) = delete;
    TRLXLSXWorkbookWriter& operator=(const TRLXLSXWorkbookWriter&) = delete;

    /// A new sheet with the page setup; it becomes the sheet the calls below write to.
    void AddSheet(const QString& title);
    int SheetCount() const { return m_sheetCount; }
    /// Widths in 1/256 of a character, as the grid holds them. Call before the sheet's rows.
    void SetColumns(const std::map<int, TRLXLSCol>& columns);
    /// The grid's used rows with their heights, cells and merges, moved down by `rowOffset` rows;
    /// every row must come after the rows written to this sheet before.
    void WriteRows(const TRLXLSWorksheet& grid, int rowOffset);
    /// The document's title and author; its creation time is the program's clock (Now()), so
    /// that SOURCE_DATE_EPOCH makes the file reproducible.
    void SetProperties(const QString& title, const QString& author);
    /// Finishes the workbook and puts it in the file as TOutputFile does: a regular file is
    /// replaced only when whole, a pipe or device is written into. Call once.
    void Save();

private:
    /// What makes two cells look different.
    struct TFormatKey {
        TFont Font;
        QString NumberFormat;
        quint8 Horizontal = 0;
        quint8 Vertical = 0;
        bool Wrap = false;
        quint8 Rotation = 0;
    };
    struct TFormatKeyLess {
        bool operator()(const TFormatKey& a, const TFormatKey& b) const;
    };
    lxw_format* FormatOf(const TFormatKey& key);
    /// The message of a library error, naming the folder it concerns.
    QString Reason(int error) const;
    /// Throws the message of a refused write at the sheet's row and column (0-based).
    void Check(int error, int row, int column) const;

    QString m_fileName;
    TRLXLSPageSetup m_setup;
    std::unique_ptr<TRLXLSScratchFile> m_file;
    /// The sheets' rows until the workbook closes; outlives the library's workbook.
    std::unique_ptr<TRLXLSXSheetSpill> m_spill;
    QString m_libraryDir;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QString m_sheetTitle;
    int m_sheetCount = 0;
    std::map<TFormatKey, lxw_format*, TFormatKeyLess> m_formats;
};
