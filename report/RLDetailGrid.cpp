#include "report/RLDetailGrid.h"

#include "report/RLReport.h"
#include "support/Geometry.h"

#include <algorithm>
#include <cmath>

using enum TRLBandType;
using enum TRLGridOrganization;

TRLCustomDetailGrid::TRLCustomDetailGrid(TComponent* owner)
    : TRLCustomBand(owner)
{
    SetBandType(btDetail);
}

QString TRLCustomDetailGrid::ClassName() const
{
    return QStringLiteral("TRLCustomDetailGrid");
}

QString TRLCustomDetailGrid::BandTypeName() const
{
    return QStringLiteral("DetailGrid");
}

void TRLCustomDetailGrid::SetColCount(int count)
{
    m_colCount = std::max(count, 1);
    Realign();
}

void TRLCustomDetailGrid::SetColSpacing(double spacing)
{
    m_colSpacing = spacing;
    Realign();
}

void TRLCustomDetailGrid::SetColWidth(double width)
{
    m_colWidth = width;
    Realign();
}

int TRLCustomDetailGrid::SpacingPixels() const
{
    return MillimetersToPixels(m_colSpacing);
}

int TRLCustomDetailGrid::ColumnWidthPixels() const
{
    if (m_colWidth > 0)
        return MillimetersToPixels(m_colWidth);
    return int(std::lround(double(Width() - (m_colCount - 1) * SpacingPixels()) / m_colCount));
}

TRect TRLCustomDetailGrid::Cell(int column, int row) const
{
    const int width = ColumnWidthPixels();
    return TRect::FromSize((width + SpacingPixels()) * column, row * Height(), width, Height());
}

TRect TRLCustomDetailGrid::MarginBaseRect() const
{
    return TRect::FromSize(0, 0, ColumnWidthPixels(), Height());
}

void TRLCustomDetailGrid::StartGridAtPagerRow()
{
    const TRLCustomPager* pager = RequirePager();
    m_gridTopRow = m_gridBottomRow = pager->NextFreeRow();
    m_gridPage = RequireReport()->RootReport()->StoredPageCount();
}

void TRLCustomDetailGrid::BeforePrintBand()
{
    // The grid continues only where it stopped: when the page changed or other bands printed
    // below it since, the next record starts a new grid at the pager's row.
    const TRLCustomPager* pager = RequirePager();
    const int page = RequireReport()->RootReport()->StoredPageCount();
    if (m_cellColumn == 0 && m_cellRow == 0) {
        StartGridAtPagerRow();
        return;
    }
    if (page != m_gridPage || pager->NextFreeRow() != m_gridBottomRow) {
        m_cellColumn = m_cellRow = 0;
        StartGridAtPagerRow();
    }
}

void TRLCustomDetailGrid::BeforeSurfaceOpen()
{
    TRLCustomBand::BeforeSurfaceOpen();
    if (m_cellColumn == 0 && m_cellRow == 0)
        StartGridAtPagerRow();
}

void TRLCustomDetailGrid::CapturePrintBounds()
{
    const TRect cell = Cell(m_cellColumn, m_cellRow);
    SetPrintBounds(TRect::FromSize(Left() + cell.Left, m_gridTopRow + cell.Top, cell.Width(), cell.Height()));
    int available = 0;
    if (FitsInPager(cell.Height(), available))
        m_gridBottomRow = std::max(m_gridBottomRow, m_gridTopRow + cell.Bottom);
    else if (!IntegralHeight)
        m_gridBottomRow = std::max(m_gridBottomRow, m_gridTopRow + cell.Top + available);
}

bool TRLCustomDetailGrid::FitsInPager(int height, int& available)
{
    available = BandLimit() - Cell(m_cellColumn, m_cellRow).Top - m_gridTopRow;
    return available >= height;
}

void TRLCustomDetailGrid::AdvancePagerRow(int width, int height)
{
    Q_UNUSED(width);
    Q_UNUSED(height);
    if (Organization == goInRows) {
        if (++m_cellColumn >= m_colCount) {
            m_cellColumn = 0;
            ++m_cellRow;
        }
    } else {
        ++m_cellRow;
    }
}

void TRLCustomDetailGrid::AfterSurfaceClose()
{
    TRLCustomBand::AfterSurfaceClose();
    RequirePager()->SetNextFreeRow(m_gridBottomRow);
}

void TRLCustomDetailGrid::BreakPageForBand()
{
    bool breakPage = true;
    if (Organization == goInColumns && ++m_cellColumn < m_colCount)
        breakPage = false;
    if (breakPage) {
        BreakForBand(false);
        StartGridAtPagerRow();
        m_cellColumn = 0;
    }
    m_cellRow = 0;
    CapturePrintBounds();
}

void TRLCustomDetailGrid::ResetNotify()
{
    TRLCustomBand::ResetNotify();
    m_cellColumn = m_cellRow = 0;
}

TRLDetailGrid::TRLDetailGrid(TComponent* owner)
    : TRLCustomDetailGrid(owner)
{
}

QString TRLDetailGrid::ClassName() const
{
    return QStringLiteral("TRLDetailGrid");
}
