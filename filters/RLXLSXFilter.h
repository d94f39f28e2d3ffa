#pragma once

#include "filters/RLFilters.h"
#include "filters/RLXLSGrid.h"
#include "filters/RLXLSPageSetup.h"
#include "filters/RLXLSWorkbook.h"

#include <QString>
#include <memory>

class TRLGraphicStorage;
class TRLXLSXRepeatedHeader;
class TRLXLSXWorkbookWriter;
class TRLXLSXWriterThread;

/// Writes the pages' texts into an Office Open XML workbook (".xlsx") through libxlsxwriter, on
/// the same grid as the XLS output (TRLXLSFilter): the same cells, numbers, merges, column
/// widths, row heights, fonts and alignment. By default each page becomes a sheet; with OneSheet
/// the whole report is one sheet, whose columns fit every page and which shows the header that
/// starts every page only once. A thread of its own writes the sheets while the next pages'
/// grids are built; memory holds a few pages' cells. The file is replaced only when the whole
/// workbook is written, and no temporary file stays behind.
class TRLXLSXFilter : public TRLCustomSaveFilter {
public:
    /// Without a FileName, DefaultExt ".xlsx"; deleted by `owner`. Set FileName, then FilterPages.
    explicit TRLXLSXFilter(TComponent* owner);
    ~TRLXLSXFilter() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Empty by default.
    TRLXLSFilterOptions Options;
    /// Shared by every sheet; assigning copies all its values.
    TRLXLSPageSetup PageSetup;
    /// One sheet for the whole report instead of one per page; false by default. The sheet is
    /// named after the report's title, else as the first page's sheet would be, and prints as
    /// many pages tall as it needs whatever PageSetup.FitToPagesTall says.
    bool OneSheet = false;

    /// Writes pages firstPage .. lastPage (1-based; -1 = the last) of the store into `fileName`
    /// in the foreground, without a progress window: the entry of headless callers.
    void SaveToFile(TRLGraphicStorage& pages, const QString& fileName, int firstPage = 1, int lastPage = -1);

protected:
    /// @cond ENGINE
    void InternalBeginDoc() override;
    void InternalEndDoc() override;
    void InternalNewPage() override;
    void InternalDrawPage(TRLGraphicSurface& page) override;
    /// @endcond

private:
    void WritePageSheet(const TRLGraphicSurface& page);
    /// The one sheet is written at the end, once every page's columns are known: the pages are
    /// read from the store a second time.
    void WriteOneSheet();
    QString OneSheetTitle();

    TRLXLSWorkbook m_workbook;
    std::unique_ptr<TRLXLSXWorkbookWriter> m_writer;
    /// Writes the sheets while the next pages' grids are built; goes before the writer.
    std::unique_ptr<TRLXLSXWriterThread> m_writerThread;
    std::unique_ptr<TRLXLSXRepeatedHeader> m_header;
    /// The one sheet's columns, gathered from every page.
    TRLXLSEdgeList m_columns;
    int m_pagesDrawn = 0;
    /// Set when a page could not be written: the document is then dropped, not saved in part.
    bool m_failed = false;
};
