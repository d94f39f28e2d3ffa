#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFontMetrics>
#include <QString>
#include <map>
#include <utility>
#include <vector>

class TRLGraphicObject;
class TRLPDFFontTable;
class TRLPDFWriter;
class TRLTextObject;
struct TRect;
class QPoint;

/// Text widths in dots at 96 per inch for a face and point size, style not applied; the metrics
/// of each face and size are kept for the document.
class TRLPDFTextMeasurer {
public:
    int TextWidth(const QString& text, const QString& faceName, int pointSize);
    void Clear() { m_metrics.clear(); }

private:
    std::map<std::pair<QString, int>, QFontMetrics> m_metrics;
};

/// Writes the content-stream operators of one page's drawing objects. The vertical axis is
/// flipped against the store's page height in dots.
class TRLPDFPageContent {
public:
    /// `imageNumbers` holds the image number of each image object of the page, in object order.
    TRLPDFPageContent(TRLPDFWriter& writer, TRLPDFFontTable& fonts, TRLPDFTextMeasurer& measurer,
        int pageHeight, std::vector<int> imageNumbers);

    void WriteObject(const TRLGraphicObject& object);

private:
    /// "x y" in points, y flipped.
    void WritePoint(double x, double y);
    /// "left bottom width height" in points, then the operator and a line end.
    void WriteRectangle(const TRect& rect, QByteArrayView operatorName);
    void WriteText(const TRLTextObject& text);
    void WriteEllipse(const TRect& bounds);
    void WritePoints(const std::vector<QPoint>& points);
    void WriteImage(const TRect& bounds);

    TRLPDFWriter& m_writer;
    TRLPDFFontTable& m_fonts;
    TRLPDFTextMeasurer& m_measurer;
    int m_pageHeight;
    std::vector<int> m_imageNumbers;
    std::size_t m_nextImage = 0;
};
