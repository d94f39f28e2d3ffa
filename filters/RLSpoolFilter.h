#pragma once

#include "filters/RLFilters.h"
#include "pages/RLPageOrientation.h"
#include "platform/Rect.h"

#include <QPoint>

class TCanvas;
class TRLPrinterWrapper;
struct TRLPrinterMetrics;

/// @file
/// Printing stored pages on the system printer, and the mapping of page dots to printer pixels.

/// Maps page dots to printer pixels: scaled, then moved to the sheet's corner. A rectangle never
/// shrinks to nothing: a mapped right at or left of left becomes left + 1, and so for bottom.
class TRLPrinterMapping {
public:
    /// A zero page width or height gives the factor 1 on that axis.
    TRLPrinterMapping(const TRect& printerRect, int pageWidth, int pageHeight);

    /// Page dots to printer pixels, rounded half to even.
    QPoint MapPoint(QPoint point) const;
    /// Both corners mapped, at least one pixel wide and high.
    TRect MapRect(const TRect& rect) const;
    /// Printer pixels per page dot on each axis; pen widths scale by ScaleX, fonts by ScaleY.
    ///@{
    double ScaleX() const { return m_scaleX; }
    double ScaleY() const { return m_scaleY; }
    ///@}
    /// The sheet in printer pixels, as given.
    const TRect& PrinterRect() const { return m_printerRect; }

private:
    TRect m_printerRect;
    double m_scaleX = 1;
    double m_scaleY = 1;
};

/// The whole sheet in printer pixels: the origin is minus the unprintable offsets. Paper sizes are
/// millimetres in portrait sense.
TRect ComputePrinterRect(
    const TRLPrinterMetrics& metrics, TRLPageOrientation orientation, double paperWidth, double paperHeight);

/// Draws every object of the page through the mapping, clipped to the sheet; the canvas's clip
/// is removed afterwards, also on failure.
void PaintPageOnPrinter(TCanvas& canvas, const TRLGraphicSurface& page, const TRLPrinterMapping& mapping);

/// Output to the printer of the shared printer wrapper, in jobs named after the pages' title. A
/// change of paper size or orientation between pages ends the print job and starts another.
class TRLSpoolFilter : public TRLCustomPrintFilter {
public:
    /// Deleted by `owner`; waits for a background run still going.
    explicit TRLSpoolFilter(TComponent* owner);
    ~TRLSpoolFilter() override;

    /// Printer pixels of the open job's sheet.
    const TRect& PrinterRect() const { return m_printerRect; }
    /// A print job is open.
    bool DocStarted() const { return m_docStarted; }
    /// Paper size of the open job in millimetres, portrait sense, and its orientation.
    ///@{
    double PaperWidth() const { return m_paperWidth; }
    double PaperHeight() const { return m_paperHeight; }
    TRLPageOrientation Orientation() const { return m_orientation; }
    ///@}

    /// Opens a job for the paper (millimetres, portrait sense) unless the open one already has it;
    /// an open job on other paper ends first, keeping the copy count.
    void SelectPaper(TRLPageOrientation orientation, double paperWidth, double paperHeight);

protected:
    /// @cond ENGINE
    void InternalBeginDoc() override;
    void InternalEndDoc() override;
    void InternalNewPage() override;
    void InternalDrawPage(TRLGraphicSurface& page) override;
    /// @endcond

private:
    TRect m_printerRect;
    bool m_docStarted = false;
    double m_paperWidth = 0;
    double m_paperHeight = 0;
    TRLPageOrientation m_orientation = TRLPageOrientation::poPortrait;
    int m_pagesInJob = 0;
};
