#pragma once

#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLMacros.h"
#include "pages/RLPageOrientation.h"
#include "platform/Graphics.h"
#include "platform/Rect.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

class TCanvas;
class TRLByteReader;
class TRLByteWriter;
class TRLGraphicStorage;

/// One page: drawing objects in drawing order, page size in dots (96 per inch), the font name
/// table its text objects refer to, and the page's macros. Every drawing operation opens the
/// page and marks it modified.
class TRLGraphicSurface {
public:
    /// The largest page side a page file may declare, in dots: 4.3 m, beyond any paper.
    static constexpr int kMaxPageDots = 16384;

    TRLGraphicSurface();
    /// Leaves the store's cache (without being freed by it) before going.
    ~TRLGraphicSurface();
    TRLGraphicSurface(const TRLGraphicSurface&) = delete;
    TRLGraphicSurface& operator=(const TRLGraphicSurface&) = delete;

    /// The store the page was added to or read from (a PageCopy too); nullptr before either.
    TRLGraphicStorage* Storage() const { return m_storage; }
    /// Leaves the old store's cache, if any, without being freed: the caller owns the page then.
    void SetStorage(TRLGraphicStorage* storage);
    /// Position in the store; -1 until first stored.
    int PageIndex() const { return m_pageIndex; }

    /// Page size in dots.
    ///@{
    qint32 Width = 0;
    qint32 Height = 0;
    ///@}

    /// The current tools, copied into each object drawn from then on: the pen draws outlines and
    /// lines, the brush fills shapes and text backgrounds, the font writes texts.
    ///@{
    const TPen& Pen() const { return m_pen; }
    void SetPen(const TPen& pen);
    const TBrush& Brush() const { return m_brush; }
    void SetBrush(const TBrush& brush);
    const TFont& Font() const { return m_font; }
    void SetFont(const TFont& font);
    ///@}

    /// True from Open or the first drawing until Close.
    bool Opened() const { return m_opened; }
    /// Drawn on or cleared since the store last wrote the page; a modified cached page is written
    /// again before it leaves the cache or is read.
    ///@{
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    ///@}
    /// Makes (0, 0, Width, Height) the clip rectangle and empties the clip stack; nothing when open.
    void Open();
    /// Marks the page done; the objects stay and a drawing opens it again.
    void Close();
    /// Frees the objects, empties the font table and the macros.
    void Clear();

    // Drawing operations, each adding one object with the current tools.
    /// The rectangle filled with the brush, no outline.
    void FillRect(const TRect& rect);
    /// Outlined with the pen and filled with the brush, in dots.
    ///@{
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect);
    ///@}
    /// Bounds: the points' box widened by one dot on every side.
    void Polygon(std::span<const QPoint> points);
    /// Bounds: the points' box widened by one dot on every side.
    void Polyline(std::span<const QPoint> points);
    /// A line from the pen position to (x, y), then the pen position is (x, y).
    void LineTo(int x, int y);
    /// Moves the pen position without drawing.
    void MoveTo(int x, int y);
    /// Where the next LineTo starts.
    QPoint PenPos() const { return m_penPos; }
    /// A one-dot pixel object of the colour.
    void SetPixel(int x, int y, TColor color);
    /// A text in the box `rect`, drawn from the origin (x, y) with the font and the brush behind
    /// it; `textFlags` are kTextFlag bits (pages/RLGraphicObjects.h).
    void TextOutEx(const TRect& rect, int x, int y, const QString& text, TRLMetaTextAlignment alignment,
        TRLMetaTextLayout layout, quint16 textFlags);
    /// At natural size; bounds (x, y, x + width, y + height).
    void Draw(int x, int y, const QImage& bitmap, bool integralWidth = false);
    /// The picture stretched to fill rect.
    void StretchDraw(const TRect& rect, const QImage& picture, bool integralWidth = false);
    /// As StretchDraw with tagged picture data (pages/RLPictureData.h), kept byte for byte.
    void StretchDrawData(const TRect& rect, const QByteArray& data, bool integralWidth = false);
    /// Fits the picture into rect keeping its proportions.
    void ScaleDraw(const TRect& rect, const QImage& picture, bool center);
    /// As ScaleDraw with the tagged picture data of a picture of `pictureSize`.
    void ScaleDrawData(const TRect& rect, QSize pictureSize, const QByteArray& data, bool center);
    /// The picture at natural size cut to rect.
    void ClipDraw(const TRect& rect, const QImage& picture, bool center);
    /// Clones every object of `source` moved by (x, y).
    void DrawSurface(int x, int y, const TRLGraphicSurface& source);
    /// The objects of `source` meeting sourceRect, scaled into destRect under a clip.
    void CopyRect(const TRect& destRect, const TRLGraphicSurface& source, const TRect& sourceRect);
    /// Pushes the current clip rectangle; nests with ResetClipRect.
    void SetClipRect(const TRect& rect);
    /// Restores the clip rectangle SetClipRect pushed; the whole page when none is left.
    void ResetClipRect();
    /// The current clip rectangle in dots.
    TRect ClipRect() const { return m_clipRect; }

    /// Measured with the current font at 96 dpi, in dots.
    ///@{
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    ///@}

    /// The highest row at or above `row` not inside a keep-whole text; true when it is above 0.
    bool FindFreeRow(int row, int& freeRow) const;

    /// Draws the whole page scaled into rect; clipping is removed afterwards, also on failure.
    void PaintTo(TCanvas& canvas, const TRect& rect);

    /// Kept in the page macros; portrait when missing.
    ///@{
    TRLPageOrientation Orientation() const;
    void SetOrientation(TRLPageOrientation orientation);
    ///@}
    /// Paper size in millimetres, portrait sense, kept in the page macros; -1 when negative, 0 when
    /// missing or not a number.
    ///@{
    double PaperWidth() const;
    void SetPaperWidth(double millimetres);
    double PaperHeight() const;
    void SetPaperHeight(double millimetres);
    ///@}
    /// The page's own named values, saved with it.
    ///@{
    TRLMacros& Macros() { return m_macros; }
    const TRLMacros& Macros() const { return m_macros; }
    ///@}

    /// The drawing objects in drawing order; the index is 0-based and checked.
    ///@{
    int ObjectCount() const { return int(m_objects.size()); }
    TRLGraphicObject* Objects(int index) const { return m_objects.at(std::size_t(index)).get(); }
    ///@}
    /// A new object of kind T appended to the page, which owns it.
    template<class T> T& AddObject();
    /// Appends an object made for this page; the page owns it.
    TRLGraphicObject& Adopt(std::unique_ptr<TRLGraphicObject> object);

    /// Whether a text of the page shows one of the store's macros ("{LastPageNumber}").
    bool UsesStoreMacros() const;

    /// The font table the text objects refer to by index.
    const QStringList& FontNames() const { return m_fontNames; }
    /// Index of the face in the font table, appended when missing (compared without case).
    int FontIndex(const QString& faceName);

    /// The page record.
    void SaveToStream(TRLByteWriter& out) const;
    /// Clears the page, then reads a page record; "File is corrupted!" on a wrong magic, and a
    /// message naming the field for any other malformed part.
    void LoadFromStream(TRLByteReader& in);

    /// @cond ENGINE
    // The clip stack, shared by drawing (SetClipRect) and painting (the clip objects).
    void PushPaintClip(const TRect& rect);
    /// The newest saved rectangle, now current; the whole page when none is saved.
    TRect PopPaintClip();
    void ResetPaintClips(const TRect& rect);
    /// @endcond

private:
    friend class TRLGraphicStorage;
    template<class T> T& AddDrawing();
    void SetPageIndex(int index) { m_pageIndex = index; }

    TRLGraphicStorage* m_storage = nullptr;
    /// Owned by the store's cache.
    bool m_inCache = false;
    int m_pageIndex = -1;
    std::vector<std::unique_ptr<TRLGraphicObject>> m_objects;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    bool m_opened = false;
    bool m_modified = false;
    QStringList m_fontNames;
    std::vector<TRect> m_clipStack;
    TRect m_clipRect;
    TRLMacros m_macros;
    QPoint m_penPos;
};

template<class T> T& TRLGraphicSurface::AddObject()
{
    return static_cast<T&>(Adopt(std::make_unique<T>(*this)));
}
