#pragma once

#include "report/RLBand.h"

/// A detail band printed in several columns, record after record across (goInRows) or down
/// (goInColumns) the grid. Each cell is one column wide and the band's Height high; the band's
/// controls are laid out in one cell.
class TRLCustomDetailGrid : public TRLCustomBand {
public:
    /// One column, a detail band 16 pixels high, deleted by `owner`.
    explicit TRLCustomDetailGrid(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
    /// "DetailGrid".
    QString BandTypeName() const override;

    /// At least 1: a smaller count is taken as 1.
    ///@{
    int ColCount() const { return m_colCount; }
    void SetColCount(int count);
    ///@}
    /// Millimetres between columns.
    ///@{
    double ColSpacing() const { return m_colSpacing; }
    void SetColSpacing(double spacing);
    ///@}
    /// Millimetres; 0 divides the band's width evenly among the columns.
    ///@{
    double ColWidth() const { return m_colWidth; }
    void SetColWidth(double width);
    ///@}
    /// goInRows fills a row across before the next; goInColumns fills a column down to the end
    /// of the page before the next.
    TRLGridOrganization Organization = TRLGridOrganization::goInRows;

    /// The cell the next record prints in, from 0.
    ///@{
    int CellColumn() const { return m_cellColumn; }
    int CellRow() const { return m_cellRow; }
    ///@}
    /// The pager rows, in pixels, where the grid on this page starts and where its lowest cell
    /// printed so far ends.
    ///@{
    int GridTopRow() const { return m_gridTopRow; }
    int GridBottomRow() const { return m_gridBottomRow; }
    ///@}

    /// ColWidth in pixels, or the even share of the width when ColWidth is 0.
    int ColumnWidthPixels() const;
    /// ColSpacing in pixels.
    int SpacingPixels() const;
    /// A cell in the grid's coordinates.
    TRect Cell(int column, int row) const;

    TRect MarginBaseRect() const override;

protected:
    /// @cond ENGINE
    void CapturePrintBounds() override;
    bool FitsInPager(int height, int& available) override;
    void BreakPageForBand() override;
    void AdvancePagerRow(int width, int height) override;
    void ResetNotify() override;
    void BeforePrintBand() override;
    void BeforeSurfaceOpen() override;
    void AfterSurfaceClose() override;
    /// @endcond

private:
    void StartGridAtPagerRow();

    int m_colCount = 1;
    double m_colSpacing = 0;
    double m_colWidth = 0;
    int m_cellColumn = 0;
    int m_cellRow = 0;
    int m_gridTopRow = 0;
    int m_gridBottomRow = 0;
    int m_gridPage = -1;
};

/// The detail grid component a program creates; see TRLCustomDetailGrid.
class TRLDetailGrid : public TRLCustomDetailGrid {
public:
    /// One column, a detail band 16 pixels high, deleted by `owner`.
    explicit TRLDetailGrid(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
