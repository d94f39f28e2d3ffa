#include "filters/RLXLSFilter.h"

#include "filters/RLXLSGrid.h"
#include "filters/RLXLSWorkbookWriter.h"
#include "pages/RLGraphicSurface.h"
#include "support/LocaleTexts.h"

#include <QScopeGuard>

using enum TRLXLSFilterOption;

TRLXLSFilter::TRLXLSFilter(TComponent* owner)
    : TRLCustomSaveFilter(owner)
{
    SetDefaultExt(QStringLiteral(".xls"));
    SetDisplayName(LocaleText(TLocaleTextId::ExcelSpreadsheet));
}

TRLXLSFilter::~TRLXLSFilter()
{
    WaitForRun();
}

QString TRLXLSFilter::ClassName() const
{
    return QStringLiteral("TRLXLSFilter");
}

void TRLXLSFilter::SaveToFile(TRLGraphicStorage& pages, const QString& fileName, int firstPage, int lastPage)
{
    FileName = fileName;
    const bool showProgress = ShowProgress;
    const auto restore = qScopeGuard([&] { ShowProgress = showProgress; });
    ShowProgress = false;
    FilterPages(pages, firstPage, lastPage, false);
}

void TRLXLSFilter::InternalBeginDoc()
{
    m_writer.reset();
    m_failed = false;
    m_workbook.Clear();
    m_workbook.PageSetup = PageSetup;
    m_workbook.FindValueCells = Options.testFlag(foFindValueCells);
    m_writer = std::make_unique<TRLXLSWorkbookWriter>(PageSetup);
}

void TRLXLSFilter::InternalEndDoc()
{
    // The writer owns the temporary sheet part; taking it here deletes that file on every path.
    const std::unique_ptr<TRLXLSWorkbookWriter> writer = std::move(m_writer);
    if (!writer || m_failed)
        return;
    // A workbook needs a sheet; a run without pages gets one empty sheet.
    if (writer->SheetCount() == 0) {
        TRLXLSWorksheet& sheet = m_workbook.AddWorksheet();
        writer->AddSheet(sheet);
    }
    SaveXLSFile(FileName, *writer, m_workbook.UserName());
}

void TRLXLSFilter::InternalNewPage()
{
}

void TRLXLSFilter::InternalDrawPage(TRLGraphicSurface& page)
{
    try {
        TRLXLSWorksheet& sheet = m_workbook.AddWorksheet();
        FillWorksheet(sheet, page);
        m_writer->AddSheet(sheet);
        sheet.ReleaseCells();
    } catch (...) {
        m_failed = true;
        throw;
    }
}
