#pragma once

#include "pages/RLGraphicObject.h"
#include "pages/RLMetaRecords.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <vector>

// The eleven object kinds. Construct them through TRLGraphicSurface::AddObject<T>(), which
// appends the object to the page that then owns it.

class TRLPixelObject : public TRLGraphicObject {
public:
    explicit TRLPixelObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Pixel; }

    TRLStoredColor Color;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
};

class TRLLineObject : public TRLGraphicObject {
public:
    explicit TRLLineObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Line; }

    QPoint FromPoint;
    QPoint ToPoint;
    TRLMetaPen Pen;
    TRLMetaBrush Brush;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Offset(int dx, int dy) override;
    void Inflate(double scaleX, double scaleY) override;
};

class TRLRectangleObject : public TRLGraphicObject {
public:
    explicit TRLRectangleObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Rectangle; }

    TRLMetaPen Pen;
    TRLMetaBrush Brush;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Inflate(double scaleX, double scaleY) override;
};

/// Horizontal placement codes of a text object.
enum class TRLMetaTextAlignment : quint8 { Left = 1, Right = 2, Center = 3, Justify = 4 };
/// Vertical placement codes of a text object.
enum class TRLMetaTextLayout : quint8 { Top = 1, Bottom = 2, Center = 3 };

/// Text flag: drawn without clipping to the bounds.
constexpr quint16 kTextFlagNoClip = 0x1;
/// Text flag: a page cut must not pass through the text (TRLGraphicSurface::FindFreeRow).
constexpr quint16 kTextFlagKeepWhole = 0x4;

class TRLTextObject : public TRLGraphicObject {
public:
    explicit TRLTextObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Text; }

    TRLMetaTextAlignment Alignment = TRLMetaTextAlignment::Left;
    TRLMetaTextLayout Layout = TRLMetaTextLayout::Top;
    /// Where left- or top-placed text starts.
    QPoint Origin;
    quint16 TextFlags = kTextFlagNoClip | kTextFlagKeepWhole;
    QString Text;
    TRLMetaBrush Brush;
    TRLMetaFont Font;

    /// Text with "{Name}" replaced by the page's macro, else the store's; unknown names stay.
    QString DisplayText() const;
    /// Whether DisplayText takes a "{Name}" from the store, whose macros are final only once
    /// the preparation has ended.
    bool UsesStoreMacros() const;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Offset(int dx, int dy) override;
    /// Also scales the font size by scaleY.
    void Inflate(double scaleX, double scaleY) override;
};

class TRLFillRectObject : public TRLGraphicObject {
public:
    explicit TRLFillRectObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::FillRect; }

    TRLMetaBrush Brush;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
};

class TRLEllipseObject : public TRLGraphicObject {
public:
    explicit TRLEllipseObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Ellipse; }

    TRLMetaPen Pen;
    TRLMetaBrush Brush;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Inflate(double scaleX, double scaleY) override;
};

class TRLPolygonObject : public TRLGraphicObject {
public:
    explicit TRLPolygonObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Polygon; }

    TRLMetaPen Pen;
    TRLMetaBrush Brush;
    std::vector<QPoint> Points;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Offset(int dx, int dy) override;
    void Inflate(double scaleX, double scaleY) override;
};

class TRLPolylineObject : public TRLGraphicObject {
public:
    explicit TRLPolylineObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Polyline; }

    TRLMetaPen Pen;
    std::vector<QPoint> Points;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
    void Offset(int dx, int dy) override;
    void Inflate(double scaleX, double scaleY) override;
};

class TRLImageObject : public TRLGraphicObject {
public:
    explicit TRLImageObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::Image; }

    /// Tagged picture bytes (pages/RLPictureData.h).
    QByteArray Data;
    /// The integral-width flag byte as stored, kept as read so that a page written back is the
    /// page read; any value but 0 draws the picture a whole number of times across the width.
    quint8 IntegralWidth = 0;

    void SaveToStream(TRLByteWriter& out) const override;
    void LoadFromStream(TRLByteReader& in) override;
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
    void Assign(const TRLGraphicObject& source) override;
};

/// Its bounds are the clip rectangle it starts.
class TRLSetClipRectObject : public TRLGraphicObject {
public:
    explicit TRLSetClipRectObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::SetClipRect; }
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
};

/// Its bounds record the clip rectangle it ends.
class TRLResetClipRectObject : public TRLGraphicObject {
public:
    explicit TRLResetClipRectObject(TRLGraphicSurface& surface);
    TRLObjectKind Kind() const override { return TRLObjectKind::ResetClipRect; }
    void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const override;
};
