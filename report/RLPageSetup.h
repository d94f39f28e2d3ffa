#pragma once

#include "pages/RLPaperSizes.h"
#include "report/RLTypes.h"

class TRLCustomReport;

/// The report's paper: size from the paper table (or custom millimetres) and orientation. Every
/// change re-reads the printer metrics and re-fits the report.
class TRLPageSetup {
public:
    /// A4 portrait (210 x 297 mm).
    explicit TRLPageSetup(TRLCustomReport* owner);

    /// The paper's entry in the paper table.
    TRLPaperSize PaperSize() const { return m_paperSize; }
    /// Anything but fpCustom loads width and height from the paper table.
    void SetPaperSize(TRLPaperSize size);
    /// Millimetres, portrait sense.
    double PaperWidth() const { return m_paperWidth; }
    /// Only while PaperSize is fpCustom, and only above 0.
    void SetPaperWidth(double width);
    /// Millimetres, portrait sense; set only while PaperSize is fpCustom, and only above 0.
    ///@{
    double PaperHeight() const { return m_paperHeight; }
    void SetPaperHeight(double height);
    ///@}
    /// Landscape swaps the oriented width and height.
    ///@{
    TRLPageOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TRLPageOrientation orientation);
    ///@}
    /// Stored with the layout; the printer does not read it.
    ///@{
    bool ForceEmulation() const { return m_forceEmulation; }
    void SetForceEmulation(bool force);
    ///@}

    /// Millimetres in the page's orientation.
    ///@{
    double OrientedWidth() const;
    double OrientedHeight() const;
    ///@}
    /// Pixels at 96 dpi in the page's orientation (A4 portrait: 794 x 1123).
    ///@{
    int OrientedPixelWidth() const;
    int OrientedPixelHeight() const;
    ///@}
    /// Width and height are stored with the layout only for a custom size.
    bool PaperDimensionsStored() const { return m_paperSize == TRLPaperSize::fpCustom; }

    /// Copies PaperSize, Orientation, PaperWidth, PaperHeight (through the setters) and ForceEmulation.
    void Assign(const TRLPageSetup& source);

private:
    void Changed();

    TRLCustomReport* m_owner;
    TRLPaperSize m_paperSize = TRLPaperSize::fpA4;
    double m_paperWidth = 210;
    double m_paperHeight = 297;
    TRLPageOrientation m_orientation = TRLPageOrientation::poPortrait;
    bool m_forceEmulation = false;
};
