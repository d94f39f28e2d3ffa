#include "filters/RLSpoolFilter.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPrinters.h"
#include "pages/RLRendering.h"
#include "platform/Canvas.h"

#include <vector>

namespace {

constexpr double kMillimetresPerInch = 25.4;

int MillimetresToDevice(int dpi, double millimetres)
{
    return RoundHalfEven(dpi * millimetres / kMillimetresPerInch);
}

double AxisScale(int deviceSize, int pageSize)
{
    return pageSize == 0 ? 1.0 : double(deviceSize) / pageSize;
}

std::vector<QPoint> MapPoints(const std::vector<QPoint>& points, const TRLPrinterMapping& mapping)
{
    std::vector<QPoint> mapped;
    mapped.reserve(points.size());
    for (const QPoint& point : points)
        mapped.push_back(mapping.MapPoint(point));
    return mapped;
}

void SetPen(TCanvas& canvas, const TRLMetaPen& pen, const TRLPrinterMapping& mapping)
{
    ToCanvasPen(pen, canvas.Pen);
    ScalePenWidth(canvas.Pen, mapping.ScaleX());
}

/// Walks the objects with its own clip stack, which starts as the sheet.
class TPagePainter {
public:
    TPagePainter(TCanvas& canvas, const TRLPrinterMapping& mapping)
        : m_canvas(canvas)
        , m_mapping(mapping)
        , m_clip(mapping.PrinterRect())
    {
    }

    void Paint(const TRLGraphicObject& object);

private:
    void PaintText(const TRLTextObject& text);
    void PushClip(const TRect& rect);
    void PopClip();

    TCanvas& m_canvas;
    const TRLPrinterMapping& m_mapping;
    TRect m_clip;
    std::vector<TRect> m_clipStack;
};

void TPagePainter::Paint(const TRLGraphicObject& object)
{
    const TRect bounds = m_mapping.MapRect(object.BoundsRect);
    switch (object.Kind()) {
    case TRLObjectKind::Pixel:
        m_canvas.Brush
            = TBrush { FromStoredColor(static_cast<const TRLPixelObject&>(object).Color), bsSolid };
        m_canvas.FillRect(bounds);
        break;
    case TRLObjectKind::Line: {
        const auto& line = static_cast<const TRLLineObject&>(object);
        SetPen(m_canvas, line.Pen, m_mapping);
        ToCanvasBrush(line.Brush, m_canvas.Brush);
        const QPoint from = m_mapping.MapPoint(line.FromPoint);
        const QPoint to = m_mapping.MapPoint(line.ToPoint);
        m_canvas.MoveTo(from.x(), from.y());
        StyledLineTo(m_canvas, to.x(), to.y());
        break;
    }
    case TRLObjectKind::Rectangle: {
        const auto& rectangle = static_cast<const TRLRectangleObject&>(object);
        SetPen(m_canvas, rectangle.Pen, m_mapping);
        ToCanvasBrush(rectangle.Brush, m_canvas.Brush);
        m_canvas.Rectangle(bounds);
        break;
    }
    case TRLObjectKind::Text:
        PaintText(static_cast<const TRLTextObject&>(object));
        break;
    case TRLObjectKind::FillRect:
        ToCanvasBrush(static_cast<const TRLFillRectObject&>(object).Brush, m_canvas.Brush);
        m_canvas.FillRect(bounds);
        break;
    case TRLObjectKind::Ellipse: {
        const auto& ellipse = static_cast<const TRLEllipseObject&>(object);
        SetPen(m_canvas, ellipse.Pen, m_mapping);
        ToCanvasBrush(ellipse.Brush, m_canvas.Brush);
        m_canvas.Ellipse(bounds);
        break;
    }
    case TRLObjectKind::Polygon: {
        const auto& polygon = static_cast<const TRLPolygonObject&>(object);
        const std::vector<QPoint> points = MapPoints(polygon.Points, m_mapping);
        SetPen(m_canvas, polygon.Pen, m_mapping);
        ToCanvasBrush(polygon.Brush, m_canvas.Brush);
        m_canvas.Polygon(points);
        break;
    }
    case TRLObjectKind::Polyline: {
        const auto& polyline = static_cast<const TRLPolylineObject&>(object);
        const std::vector<QPoint> points = MapPoints(polyline.Points, m_mapping);
        SetPen(m_canvas, polyline.Pen, m_mapping);
        m_canvas.Brush.Style = bsClear;
        m_canvas.Polyline(points);
        break;
    }
    case TRLObjectKind::Image: {
        const auto& image = static_cast<const TRLImageObject&>(object);
        DrawPicture(m_canvas, bounds, image.Data, image.IntegralWidth != 0);
        break;
    }
    case TRLObjectKind::SetClipRect:
        PushClip(bounds);
        break;
    case TRLObjectKind::ResetClipRect:
        PopClip();
        break;
    }
}

void TPagePainter::PaintText(const TRLTextObject& text)
{
    const TRect bounds = m_mapping.MapRect(text.BoundsRect);
    const QPoint origin = m_mapping.MapPoint(text.Origin);
    ToCanvasBrush(text.Brush, m_canvas.Brush);
    ToCanvasFont(text.Font, m_canvas, m_mapping.ScaleY());
    DrawAlignedText(m_canvas, bounds, origin.x(), origin.y(), text.DisplayText(), text.Alignment, text.Layout,
        text.TextFlags);
}

void TPagePainter::PushClip(const TRect& rect)
{
    m_clipStack.push_back(m_clip);
    m_clip = rect;
    ApplyClipRect(m_canvas, m_clip);
}

void TPagePainter::PopClip()
{
    // An unbalanced reset in a hostile page falls back to the sheet.
    if (m_clipStack.empty()) {
        m_clip = m_mapping.PrinterRect();
    } else {
        m_clip = m_clipStack.back();
        m_clipStack.pop_back();
    }
    ApplyClipRect(m_canvas, m_clip);
}

}

TRLPrinterMapping::TRLPrinterMapping(const TRect& printerRect, int pageWidth, int pageHeight)
    : m_printerRect(printerRect)
    , m_scaleX(AxisScale(printerRect.Width(), pageWidth))
    , m_scaleY(AxisScale(printerRect.Height(), pageHeight))
{
}

QPoint TRLPrinterMapping::MapPoint(QPoint point) const
{
    return QPoint(RoundHalfEven(point.x() * m_scaleX) + m_printerRect.Left,
        RoundHalfEven(point.y() * m_scaleY) + m_printerRect.Top);
}

TRect TRLPrinterMapping::MapRect(const TRect& rect) const
{
    const QPoint topLeft = MapPoint(QPoint(rect.Left, rect.Top));
    const QPoint bottomRight = MapPoint(QPoint(rect.Right, rect.Bottom));
    TRect mapped { topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y() };
    if (mapped.Left >= mapped.Right)
        mapped.Right = mapped.Left + 1;
    if (mapped.Top >= mapped.Bottom)
        mapped.Bottom = mapped.Top + 1;
    return mapped;
}

TRect ComputePrinterRect(
    const TRLPrinterMetrics& metrics, TRLPageOrientation orientation, double paperWidth, double paperHeight)
{
    if (orientation == TRLPageOrientation::poLandscape) {
        const int left = -metrics.MarginBottom;
        const int top = -metrics.OffsetX;
        return { left, top, left + MillimetresToDevice(metrics.DpiX, paperHeight),
            top + MillimetresToDevice(metrics.DpiY, paperWidth) };
    }
    const int left = -metrics.OffsetX;
    const int top = -metrics.OffsetY;
    return { left, top, left + MillimetresToDevice(metrics.DpiX, paperWidth),
        top + MillimetresToDevice(metrics.DpiY, paperHeight) };
}

void PaintPageOnPrinter(TCanvas& canvas, const TRLGraphicSurface& page, const TRLPrinterMapping& mapping)
{
    ApplyClipRect(canvas, mapping.PrinterRect());
    try {
        TPagePainter painter(canvas, mapping);
        for (int i = 0; i < page.ObjectCount(); ++i)
            painter.Paint(*page.Objects(i));
    } catch (...) {
        RemoveClip(canvas);
        throw;
    }
    RemoveClip(canvas);
}

TRLSpoolFilter::TRLSpoolFilter(TComponent* owner)
    : TRLCustomPrintFilter(owner)
{
}

TRLSpoolFilter::~TRLSpoolFilter()
{
    WaitForRun();
}

void TRLSpoolFilter::SelectPaper(TRLPageOrientation orientation, double paperWidth, double paperHeight)
{
    if (m_docStarted && orientation == m_orientation && paperWidth == m_paperWidth
        && paperHeight == m_paperHeight)
        return;
    m_orientation = orientation;
    m_paperWidth = paperWidth;
    m_paperHeight = paperHeight;
    TRLPrinterWrapper& printer = SharedPrinter();
    if (m_docStarted) {
        m_docStarted = false;
        // Ending a job forgets the copies; the next job of the same run prints as many.
        const int copies = printer.Copies();
        printer.EndDoc();
        printer.SetCopies(copies);
    }
    printer.SetPaperSize(orientation == TRLPageOrientation::poLandscape, false, paperWidth, paperHeight);
    m_printerRect = ComputePrinterRect(printer.GetMetrics(), orientation, paperWidth, paperHeight);
    // The queue shows the job under the report's title ("Ordem Compra 3"), as the operator knows it.
    const TRLGraphicStorage* pages = Pages();
    printer.BeginDoc(pages ? pages->Title() : QString());
    m_docStarted = true;
    m_pagesInJob = 0;
}

void TRLSpoolFilter::InternalBeginDoc()
{
    m_docStarted = false;
    const TRLGraphicStorage* pages = Pages();
    if (pages)
        SelectPaper(pages->Orientation(), pages->PaperWidth(), pages->PaperHeight());
}

void TRLSpoolFilter::InternalEndDoc()
{
    m_docStarted = false;
    SharedPrinter().EndDoc();
}

void TRLSpoolFilter::InternalNewPage()
{
    // The sheet is fed when the next page is drawn: a page on other paper opens a new job
    // instead, and a sheet fed here would end the previous job with a blank one.
}

void TRLSpoolFilter::InternalDrawPage(TRLGraphicSurface& page)
{
    SelectPaper(page.Orientation(), page.PaperWidth(), page.PaperHeight());
    if (m_pagesInJob > 0)
        SharedPrinter().NewPage();
    ++m_pagesInJob;
    const TRLPrinterMapping mapping(m_printerRect, page.Width, page.Height);
    PaintPageOnPrinter(SharedPrinter().Canvas(), page, mapping);
}
