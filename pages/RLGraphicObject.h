#pragma once

#include "platform/Rect.h"

#include <QtGlobal>
#include <memory>

class TCanvas;
class TRLByteReader;
class TRLByteWriter;
class TRLGraphicSurface;

/// Kind codes of the page record.
enum class TRLObjectKind : quint8 {
    Pixel = 1,
    Line = 2,
    Rectangle = 3,
    Text = 4,
    FillRect = 5,
    Ellipse = 6,
    Polygon = 7,
    Polyline = 8,
    Image = 9,
    SetClipRect = 10,
    ResetClipRect = 11,
};

/// Increments the global drawing-group counter and returns its new value. Objects record the
/// counter as their group id when created, so a control calls this before it draws.
int NewGroupId();
/// The counter's current value.
int CurrentGroupId();

/// One drawing object of a page. Objects are created through TRLGraphicSurface::AddObject or
/// CreateObject, which append them to the page that then owns them.
class TRLGraphicObject {
public:
    virtual ~TRLGraphicObject();
    TRLGraphicObject(const TRLGraphicObject&) = delete;
    TRLGraphicObject& operator=(const TRLGraphicObject&) = delete;

    /// A new object of `kind` appended to `surface`; nullptr for a code no kind has.
    static TRLGraphicObject* CreateObject(TRLObjectKind kind, TRLGraphicSurface& surface);

    TRLGraphicSurface& Surface() const { return m_surface; }
    virtual TRLObjectKind Kind() const = 0;

    TRect BoundsRect;
    qint32 GroupId;
    /// Kept and copied; 0 in objects this system creates.
    qint32 Reserved = 0;

    /// The body: base part, then the kind's own fields.
    virtual void SaveToStream(TRLByteWriter& out) const;
    virtual void LoadFromStream(TRLByteReader& in);
    /// Draws at offset (page origin on the canvas) and scale; see TRLGraphicSurface::PaintTo.
    virtual void PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const = 0;
    /// Copies bounds, group id, reserved and the kind's own fields; the kinds must match.
    virtual void Assign(const TRLGraphicObject& source);
    virtual void Offset(int dx, int dy);
    /// Every x becomes round(x * scaleX), every y round(y * scaleY), halves to even.
    virtual void Inflate(double scaleX, double scaleY);
    /// An object of the same kind on `surface`, assigned from this one.
    TRLGraphicObject* Clone(TRLGraphicSurface& surface) const;

protected:
    explicit TRLGraphicObject(TRLGraphicSurface& surface);

private:
    TRLGraphicSurface& m_surface;
};

/// Rounding of every scaled coordinate: to the nearest integer, halves to even.
int RoundHalfEven(double value);
