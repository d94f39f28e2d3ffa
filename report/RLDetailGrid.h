#pragma once

#include "report/RLBand.h"

/// A detail band printed in several columns, record after record across (goInRows) or down
/// (goInColumns) the grid.
class TRLCustomDetailGrid : public TRLCustomBand {
public:
    explicit TRLCustomDetailGrid(TComponent* owner);
    QString ClassName() const override;
    QString BandTypeName() const override;

    /// At least 1.
    int ColCount() const { return m_colCount; }
    void SetColCount(int count);
    /// Millimetres between columns.
    double ColSpacing() const { return m_colSpacing; }
    void SetColSpacing(double spacing);
    /// Millimetres; 0 divides the width evenly.
    double ColWidth() const { return m_colWidth; }
    void SetColWidth(double width);
    TRLGridOrganization Organization = TRLGridOrganization::goInRows;

    int CellColumn() const { return m_cellColumn; }
    int CellRow() const { return m_cellRow; }
    int GridTopRow() const { return m_gridTopRow; }
    int GridBottomRow() const { return m_gridBottomRow; }

    int ColumnWidthPixels() const;
    int SpacingPixels() const;
    /// A cell in the grid's coordinates.
    TRect Cell(int column, int row) const;

    TRect MarginBaseRect() const override;

protected:
    void CapturePrintBounds() override;
    bool FitsInPager(int height, int& available) override;
    void BreakPageForBand() override;
    void AdvancePagerRow(int width, int height) override;
    void ResetNotify() override;
    void BeforePrintBand() override;
    void BeforeSurfaceOpen() override;
    void AfterSurfaceClose() override;

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

class TRLDetailGrid : public TRLCustomDetailGrid {
public:
    explicit TRLDetailGrid(TComponent* owner);
    QString ClassName() const override;
};
