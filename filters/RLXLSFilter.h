#pragma once

#include "filters/RLFilters.h"
#include "filters/RLXLSPageSetup.h"
#include "filters/RLXLSWorkbook.h"

#include <QString>
#include <memory>

class TRLGraphicStorage;
class TRLXLSWorkbookWriter;

/// Writes the pages' texts into a BIFF8 workbook inside a compound document (".xls"): each page
/// becomes a sheet named by the localized "Page" and its number, whose grid comes from the
/// texts' left and top edges; each text becomes a cell, or merged cells, with its font and
/// alignment; no text is lost to another that overlaps it. Lines, fills and pictures are dropped.
/// Sheets and their texts go to temporary files as the pages come, so memory holds one page's
/// cells and, per page done, its sheet's name and place. The file is replaced only when the whole
/// document is written: a run that fails leaves the previous file as it was, and no temporary
/// file. A run without pages writes one empty sheet, since a workbook needs one.
class TRLXLSFilter : public TRLCustomSaveFilter {
public:
    /// Without a FileName, DefaultExt ".xls"; deleted by `owner`. Set FileName, then FilterPages.
    explicit TRLXLSFilter(TComponent* owner);
    ~TRLXLSFilter() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Empty by default.
    TRLXLSFilterOptions Options;
    /// Shared by every sheet; assigning copies all its values.
    TRLXLSPageSetup PageSetup;

    /// The sheets of the current or last document; their cells are freed once written.
    const TRLXLSWorkbook& Workbook() const { return m_workbook; }

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
    TRLXLSWorkbook m_workbook;
    std::unique_ptr<TRLXLSWorkbookWriter> m_writer;
    /// Set when a page could not be written: the document is then dropped, not saved in part.
    bool m_failed = false;
};
