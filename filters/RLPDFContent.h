#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

class TRLGraphicObject;
class TRLPDFFontTable;
class TRLPDFWriter;
class TRLTextObject;
struct TRect;
class QPoint;

/// Writes the content-stream operators of one page's drawing objects. The vertical axis is
/// flipped against the store's page height in dots.
class TRLPDFPageContent {
public:
    /// `imageNumbers` holds the image number of each image object of the page, in object order.
    TRLPDFPageContent(
        TRLPDFWriter& writer, TRLPDFFontTable& fonts, int pageHeight, std::vector<int> imageNumbers);

    void WriteObject(const TRLGraphicObject& object);

private:
    /// "x y" in points, y flipped.
    void WritePoint(double x, double y);
    /// Opens a text object set in font number `font` at `pointSize` points.
    void BeginText(int font, int pointSize);
    /// "left bottom width height" in points, then the operator and a line end.
    void WriteRectangle(const TRect& rect, QByteArrayView operatorName);
    void WriteText(const TRLTextObject& text);
    /// "(text) Tj", noting the codes shown in the font.
    void ShowText(int font, const QByteArray& bytes);
    void WriteEllipse(const TRect& bounds);
    void WritePoints(const std::vector<QPoint>& points);
    void WriteImage(const TRect& bounds);
    /// An empty grey frame with the damaged-picture notice, as the preview draws it.
    void WriteDamagedPicture(const TRect& bounds);

    TRLPDFWriter& m_writer;
    TRLPDFFontTable& m_fonts;
    int m_pageHeight;
    std::vector<int> m_imageNumbers;
    std::size_t m_nextImage = 0;
};
