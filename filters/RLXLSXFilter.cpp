#include "filters/RLXLSXFilter.h"

#include "filters/RLXLSWorksheet.h"
#include "filters/RLXLSXErrors.h"
#include "filters/RLXLSXRepeatedHeader.h"
#include "filters/RLXLSXWriter.h"
#include "filters/RLXLSXWriterThread.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/LocaleTexts.h"

#include <QScopeGuard>

using enum TRLXLSFilterOption;

namespace {

/// A report title as a sheet name: without the characters sheet names refuse, within 31.
QString SheetName(QString title)
{
    static constexpr QStringView kRefused = u"[]:*?/\\";
    title.removeIf([](QChar c) { return kRefused.contains(c) || c.category() == QChar::Other_Control; });
    title = title.trimmed();
    while (title.startsWith(u'\''))
        title.remove(0, 1);
    title.truncate(TRLXLSWorksheet::kMaxTitleLength);
    while (title.endsWith(u'\''))
        title.chop(1);
    return title.trimmed();
}

} // namespace

TRLXLSXFilter::TRLXLSXFilter(TComponent* owner)
    : TRLCustomSaveFilter(owner)
{
    SetDefaultExt(QStringLiteral(".xlsx"));
    SetDisplayName(LocaleText(TLocaleTextId::ExcelSpreadsheet));
}

TRLXLSXFilter::~TRLXLSXFilter()
{
    // A background run still going uses this filter's own part.
    WaitForRun();
}

QString TRLXLSXFilter::ClassName() const
{
    return QStringLiteral("TRLXLSXFilter");
}

void TRLXLSXFilter::SaveToFile(TRLGraphicStorage& pages, const QString& fileName, int firstPage, int lastPage)
{
    FileName = fileName;
    const bool showProgress = ShowProgress;
    const auto restore = qScopeGuard([&] { ShowProgress = showProgress; });
    ShowProgress = false;
    FilterPages(pages, firstPage, lastPage, false);
}

void TRLXLSXFilter::InternalBeginDoc()
{
    m_writerThread.reset();
    m_writer.reset();
    m_header.reset();
    m_columns = {};
    m_pagesDrawn = 0;
    m_failed = false;
    m_workbook.Clear();
    m_workbook.PageSetup = PageSetup;
    m_workbook.FindValueCells = Options.testFlag(foFindValueCells);
    TRLXLSPageSetup setup = PageSetup;
    // A report on one sheet printed on one page tall would shrink its rows to nothing.
    if (OneSheet)
        setup.FitToPagesTall = false;
    m_writer = std::make_unique<TRLXLSXWorkbookWriter>(FileName, setup, !OneSheet);
    m_writerThread = std::make_unique<TRLXLSXWriterThread>(*m_writer);
    if (OneSheet)
        m_header = std::make_unique<TRLXLSXRepeatedHeader>();
}

void TRLXLSXFilter::InternalEndDoc()
{
    // The writer owns the temporary workbook; taking it here deletes that file on every path.
    const auto done = qScopeGuard([this] {
        m_writerThread.reset();
        m_writer.reset();
        m_header.reset();
    });
    if (!m_writer || m_failed || RunFailed())
        return;
    if (OneSheet)
        WriteOneSheet();
    m_writerThread->Finish();
    m_writer->SetProperties(Pages() ? Pages()->Title() : QString(), m_workbook.UserName());
    // A workbook needs a sheet; a run without pages gets one empty sheet.
    if (m_writer->SheetCount() == 0)
        m_writer->AddSheet(m_workbook.AddWorksheet().Title());
    m_writer->Save();
}

void TRLXLSXFilter::InternalNewPage()
{
}

void TRLXLSXFilter::InternalDrawPage(TRLGraphicSurface& page)
{
    try {
        if (!OneSheet) {
            WritePageSheet(page);
        } else {
            std::vector<TRLXLSPlacedText> texts = PlacedTexts(page);
            if (m_pagesDrawn == 0)
                m_header->SetFirstPage(texts);
            else
                m_header->DropRepeated(texts);
            AddColumnEdges(m_columns, texts);
        }
        ++m_pagesDrawn;
    } catch (...) {
        m_failed = true;
        throw;
    }
}

void TRLXLSXFilter::WritePageSheet(const TRLGraphicSurface& page)
{
    TRLXLSWorksheet& sheet = m_workbook.AddWorksheet();
    FillWorksheet(sheet, page);
    // The workbook keeps the sheet in place; from here on only the writer's thread uses it.
    m_writerThread->Queue([&sheet](TRLXLSXWorkbookWriter& writer) {
        writer.AddSheet(sheet.Title());
        writer.SetColumns(sheet.Cols());
        writer.WriteRows(sheet, 0);
        sheet.ReleaseCells();
    });
}

void TRLXLSXFilter::WriteOneSheet()
{
    FinishColumnEdges(m_columns);
    const auto grid = std::make_shared<TRLXLSWorksheet>(m_workbook, OneSheetTitle());
    // Columns past the last one a sheet of the XLS output has are not made, as there.
    for (int i = 0; i < std::min(m_columns.Count(), kXLSSheetColumns); ++i)
        grid->FindCol(i, true)->Width = m_columns[i].Size;
    m_writerThread->Queue([grid](TRLXLSXWorkbookWriter& writer) {
        writer.AddSheet(grid->Title());
        writer.SetColumns(grid->Cols());
    });
    int rowOffset = 0;
    for (int n = FromPage(); n < FromPage() + m_pagesDrawn; ++n) {
        const std::unique_ptr<TRLGraphicSurface> page = Pages() ? Pages()->PageCopy(n - 1) : nullptr;
        if (!page)
            RaiseXLSXPageUnreadable(FileName, n);
        std::vector<TRLXLSPlacedText> texts = PlacedTexts(*page);
        if (n > FromPage())
            m_header->DropRepeated(texts);
        TRLXLSEdgeList rows;
        AddRowEdges(rows, texts);
        FinishRowEdges(rows);
        const auto pageGrid = std::make_shared<TRLXLSWorksheet>(m_workbook, grid->Title());
        for (int i = 0; i < rows.Count(); ++i)
            pageGrid->FindRow(i, true)->Height = rows[i].Size;
        PlaceTexts(*pageGrid, texts, m_columns, rows);
        m_writerThread->Queue(
            [pageGrid, rowOffset](TRLXLSXWorkbookWriter& writer) { writer.WriteRows(*pageGrid, rowOffset); });
        rowOffset += rows.Count();
    }
}

QString TRLXLSXFilter::OneSheetTitle()
{
    const QString title = Pages() ? SheetName(Pages()->Title()) : QString();
    return title.isEmpty() ? m_workbook.AddWorksheet().Title() : title;
}
