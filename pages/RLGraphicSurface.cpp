#include "pages/RLGraphicSurface.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLPageFormat.h"
#include "pages/RLPictureData.h"
#include "platform/Exceptions.h"
#include "platform/Measure.h"
#include "support/Geometry.h"
#include "support/TextUtils.h"

#include <QCoreApplication>
#include <QLatin1StringView>
#include <algorithm>

namespace {

constexpr QByteArrayView kSurfaceMagic { "RLGraphicSurface3\x1A", 18 };
/// The magic is read byte by byte up to its terminator, but never further than this.
constexpr int kMagicReadLimit = 20;
constexpr char kMagicTerminator = '\x1A';
constexpr qint64 kCountedStringMinBytes = sizeof(qint32);
/// Kind code and body size.
constexpr qint64 kObjectHeaderBytes = sizeof(quint8) + sizeof(qint32);

[[noreturn]] void RaiseCorrupted()
{
    throw EReportError(QStringLiteral("File is corrupted!"));
}

/// True when the two rectangles share at least one dot.
bool Intersects(const TRect& a, const TRect& b)
{
    return std::max(a.Left, b.Left) < std::min(a.Right, b.Right)
        && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

/// A polygon and a polyline keep their points, bounds and pen alike; only a polygon is filled.
template<class T, class Pen> T& WithPoints(T& object, std::span<const QPoint> points, const Pen& pen)
{
    object.Points.assign(points.begin(), points.end());
    object.BoundsRect = PointsBoundsOutset(object.Points);
    object.Pen.AssignFrom(pen);
    return object;
}

} // namespace

TRLGraphicSurface::TRLGraphicSurface()
{
    m_brush.Color = clWhite;
    m_pen.Color = clBlack;
    m_font.Color = clBlack;
}

TRLGraphicSurface::~TRLGraphicSurface()
{
    // A page deleted by someone other than its store leaves the cache first.
    if (m_storage && m_inCache)
        (void)m_storage->Detach(*this).release();
}

void TRLGraphicSurface::SetStorage(TRLGraphicStorage* storage)
{
    if (storage == m_storage)
        return;
    if (m_storage && m_inCache)
        (void)m_storage->Detach(*this).release();
    m_storage = storage;
}

void TRLGraphicSurface::SetPen(const TPen& pen)
{
    m_pen = pen;
}

void TRLGraphicSurface::SetBrush(const TBrush& brush)
{
    m_brush = brush;
}

void TRLGraphicSurface::SetFont(const TFont& font)
{
    m_font = font;
}

void TRLGraphicSurface::Open()
{
    if (m_opened)
        return;
    m_opened = true;
    m_clipRect = { 0, 0, Width, Height };
    m_clipStack.clear();
}

void TRLGraphicSurface::Close()
{
    m_opened = false;
}

void TRLGraphicSurface::Clear()
{
    m_objects.clear();
    m_fontNames.clear();
    m_macros.Clear();
    m_modified = true;
}

TRLGraphicObject& TRLGraphicSurface::Adopt(std::unique_ptr<TRLGraphicObject> object)
{
    m_objects.push_back(std::move(object));
    return *m_objects.back();
}

template<class T> T& TRLGraphicSurface::AddDrawing()
{
    Open();
    m_modified = true;
    return AddObject<T>();
}

int TRLGraphicSurface::FontIndex(const QString& faceName)
{
    for (qsizetype i = 0; i < m_fontNames.size(); ++i) {
        if (SameNameIgnoringCase(m_fontNames[i], faceName))
            return int(i);
    }
    m_fontNames.append(faceName);
    return int(m_fontNames.size() - 1);
}

void TRLGraphicSurface::FillRect(const TRect& rect)
{
    auto& object = AddDrawing<TRLFillRectObject>();
    object.BoundsRect = rect;
    object.Brush.AssignFrom(m_brush);
}

void TRLGraphicSurface::Rectangle(int left, int top, int right, int bottom)
{
    Rectangle(TRect { left, top, right, bottom });
}

void TRLGraphicSurface::Rectangle(const TRect& rect)
{
    auto& object = AddDrawing<TRLRectangleObject>();
    object.BoundsRect = rect;
    object.Pen.AssignFrom(m_pen);
    object.Brush.AssignFrom(m_brush);
}

void TRLGraphicSurface::Ellipse(int left, int top, int right, int bottom)
{
    Ellipse(TRect { left, top, right, bottom });
}

void TRLGraphicSurface::Ellipse(const TRect& rect)
{
    auto& object = AddDrawing<TRLEllipseObject>();
    object.BoundsRect = rect;
    object.Pen.AssignFrom(m_pen);
    object.Brush.AssignFrom(m_brush);
}

void TRLGraphicSurface::Polygon(std::span<const QPoint> points)
{
    WithPoints(AddDrawing<TRLPolygonObject>(), points, m_pen).Brush.AssignFrom(m_brush);
}

void TRLGraphicSurface::Polyline(std::span<const QPoint> points)
{
    WithPoints(AddDrawing<TRLPolylineObject>(), points, m_pen);
}

void TRLGraphicSurface::MoveTo(int x, int y)
{
    m_penPos = QPoint(x, y);
}

void TRLGraphicSurface::LineTo(int x, int y)
{
    auto& object = AddDrawing<TRLLineObject>();
    object.FromPoint = m_penPos;
    object.ToPoint = QPoint(x, y);
    // Widened like a polygon's, so that a horizontal or vertical line still has an area that
    // CopyRect can find.
    object.BoundsRect = PointsBoundsOutset({ object.FromPoint, object.ToPoint });
    object.Pen.AssignFrom(m_pen);
    object.Brush.AssignFrom(m_brush);
    m_penPos = object.ToPoint;
}

void TRLGraphicSurface::SetPixel(int x, int y, TColor color)
{
    auto& object = AddDrawing<TRLPixelObject>();
    object.BoundsRect = TRect::FromSize(x, y, 1, 1);
    object.Color = ToStoredColor(color);
}

void TRLGraphicSurface::TextOutEx(const TRect& rect, int x, int y, const QString& text,
    TRLMetaTextAlignment alignment, TRLMetaTextLayout layout, quint16 textFlags)
{
    auto& object = AddDrawing<TRLTextObject>();
    object.BoundsRect = rect;
    object.Origin = QPoint(x, y);
    object.Text = text;
    object.Alignment = alignment;
    object.Layout = layout;
    object.TextFlags = textFlags;
    object.Brush.AssignFrom(m_brush);
    object.Font.AssignFrom(m_font);
}

void TRLGraphicSurface::Draw(int x, int y, const QImage& bitmap, bool integralWidth)
{
    StretchDrawData(
        TRect::FromSize(x, y, bitmap.width(), bitmap.height()), BitmapPictureData(bitmap), integralWidth);
}

void TRLGraphicSurface::StretchDraw(const TRect& rect, const QImage& picture, bool integralWidth)
{
    StretchDrawData(rect, BitmapPictureData(picture), integralWidth);
}

void TRLGraphicSurface::StretchDrawData(const TRect& rect, const QByteArray& data, bool integralWidth)
{
    auto& object = AddDrawing<TRLImageObject>();
    object.BoundsRect = rect;
    object.Data = data;
    object.IntegralWidth = integralWidth ? 1 : 0;
}

void TRLGraphicSurface::ScaleDraw(const TRect& rect, const QImage& picture, bool center)
{
    ScaleDrawData(rect, picture.size(), BitmapPictureData(picture), center);
}

void TRLGraphicSurface::ScaleDrawData(
    const TRect& rect, QSize pictureSize, const QByteArray& data, bool center)
{
    const TRect fitted
        = ScaleRect(TRect::FromSize(0, 0, pictureSize.width(), pictureSize.height()), rect, center);
    StretchDrawData(fitted, data, false);
}

void TRLGraphicSurface::ClipDraw(const TRect& rect, const QImage& picture, bool center)
{
    TRect visible = rect;
    if (const std::optional<QImage> part = ClipGraphic(picture, visible, center))
        StretchDraw(visible, *part, false);
}

void TRLGraphicSurface::DrawSurface(int x, int y, const TRLGraphicSurface& source)
{
    Open();
    m_modified = true;
    // By count, so that drawing a page onto itself copies each object once.
    const int count = source.ObjectCount();
    for (int i = 0; i < count; ++i)
        source.Objects(i)->Clone(*this)->Offset(x, y);
}

void TRLGraphicSurface::CopyRect(
    const TRect& destRect, const TRLGraphicSurface& source, const TRect& sourceRect)
{
    const double sx = sourceRect.Width() != 0 ? double(destRect.Width()) / sourceRect.Width() : 1.0;
    const double sy = sourceRect.Height() != 0 ? double(destRect.Height()) / sourceRect.Height() : 1.0;
    const int dx = destRect.Left - RoundHalfEven(sourceRect.Left * sx);
    const int dy = destRect.Top - RoundHalfEven(sourceRect.Top * sy);
    SetClipRect(destRect);
    try {
        const int count = source.ObjectCount();
        for (int i = 0; i < count; ++i) {
            const TRLGraphicObject* object = source.Objects(i);
            if (!Intersects(object->BoundsRect, sourceRect))
                continue;
            TRLGraphicObject* copy = object->Clone(*this);
            copy->Inflate(sx, sy);
            copy->Offset(dx, dy);
        }
    } catch (...) {
        ResetClipRect();
        throw;
    }
    ResetClipRect();
}

void TRLGraphicSurface::SetClipRect(const TRect& rect)
{
    auto& object = AddDrawing<TRLSetClipRectObject>();
    object.BoundsRect = rect;
    m_clipStack.push_back(m_clipRect);
    m_clipRect = rect;
}

void TRLGraphicSurface::ResetClipRect()
{
    auto& object = AddDrawing<TRLResetClipRectObject>();
    object.BoundsRect = m_clipRect;
    m_clipRect = PopPaintClip();
}

void TRLGraphicSurface::PushPaintClip(const TRect& rect)
{
    m_clipStack.push_back(m_clipRect);
    m_clipRect = rect;
}

TRect TRLGraphicSurface::PopPaintClip()
{
    // An unmatched reset falls back to the whole page rather than failing.
    if (m_clipStack.empty())
        return m_clipRect = TRect { 0, 0, Width, Height };
    m_clipRect = m_clipStack.back();
    m_clipStack.pop_back();
    return m_clipRect;
}

void TRLGraphicSurface::ResetPaintClips(const TRect& rect)
{
    m_clipStack.clear();
    m_clipRect = rect;
}

int TRLGraphicSurface::TextWidth(const QString& text) const
{
    return ::TextWidth(text, m_font);
}

int TRLGraphicSurface::TextHeight(const QString& text) const
{
    return ::TextHeight(text, m_font);
}

bool TRLGraphicSurface::UsesStoreMacros() const
{
    return std::any_of(m_objects.begin(), m_objects.end(), [](const auto& object) {
        return object->Kind() == TRLObjectKind::Text
            && static_cast<const TRLTextObject&>(*object).UsesStoreMacros();
    });
}

bool TRLGraphicSurface::FindFreeRow(int row, int& freeRow) const
{
    freeRow = row;
    bool changed = true;
    while (changed && freeRow > 0) {
        changed = false;
        for (const auto& object : m_objects) {
            if (object->Kind() != TRLObjectKind::Text)
                continue;
            const auto& text = static_cast<const TRLTextObject&>(*object);
            if ((text.TextFlags & kTextFlagKeepWhole) == 0)
                continue;
            if (text.BoundsRect.Top < freeRow && freeRow < text.BoundsRect.Bottom) {
                freeRow = text.BoundsRect.Top;
                changed = true;
            }
        }
    }
    return freeRow > 0;
}

TRLPageOrientation TRLGraphicSurface::Orientation() const
{
    return RLPageFormat::Orientation(m_macros);
}

void TRLGraphicSurface::SetOrientation(TRLPageOrientation orientation)
{
    RLPageFormat::SetOrientation(m_macros, orientation);
}

double TRLGraphicSurface::PaperWidth() const
{
    return RLPageFormat::PaperWidth(m_macros);
}

void TRLGraphicSurface::SetPaperWidth(double millimetres)
{
    RLPageFormat::SetPaperWidth(m_macros, millimetres);
}

double TRLGraphicSurface::PaperHeight() const
{
    return RLPageFormat::PaperHeight(m_macros);
}

void TRLGraphicSurface::SetPaperHeight(double millimetres)
{
    RLPageFormat::SetPaperHeight(m_macros, millimetres);
}

void TRLGraphicSurface::SaveToStream(TRLByteWriter& out) const
{
    out.WriteBytes(kSurfaceMagic);
    out.WriteInt32(Width);
    out.WriteInt32(Height);
    const QStringList macros = m_macros.Strings();
    out.WriteInt32(qint32(macros.size()));
    for (const QString& line : macros)
        out.WriteText(line);
    out.WriteInt32(qint32(m_fontNames.size()));
    for (const QString& name : m_fontNames)
        out.WriteText(name);
    out.WriteInt32(qint32(m_objects.size()));
    for (const auto& object : m_objects) {
        out.WriteUInt8(quint8(object->Kind()));
        const qint64 sizeField = out.BeginSized();
        object->SaveToStream(out);
        out.EndSized(sizeField);
    }
}

void TRLGraphicSurface::LoadFromStream(TRLByteReader& in)
{
    Clear();
    QByteArray magic;
    while (magic.size() < kMagicReadLimit && in.Remaining() > 0) {
        const char byte = char(in.ReadUInt8(u"page magic"));
        magic.append(byte);
        if (byte == kMagicTerminator)
            break;
    }
    if (magic != kSurfaceMagic)
        RaiseCorrupted();
    Width = in.ReadInt32(u"page width");
    Height = in.ReadInt32(u"page height");
    // Checked before anything is drawn at this size: a copy of the page is a bitmap of it.
    if (Width < 0 || Height < 0 || Width > kMaxPageDots || Height > kMaxPageDots)
        in.Fail(u"page size",
            QCoreApplication::translate("TRLGraphicSurface", "%1 x %2 dots is outside 0 to %3 on a side")
                .arg(Width)
                .arg(Height)
                .arg(kMaxPageDots));
    const qint32 macroCount = in.ReadCount(kCountedStringMinBytes, u"page macro count");
    for (qint32 i = 0; i < macroCount; ++i)
        m_macros.AddString(in.ReadText(u"page macro"));
    const qint32 fontCount = in.ReadCount(kCountedStringMinBytes, u"font name count");
    for (qint32 i = 0; i < fontCount; ++i)
        m_fontNames.append(in.ReadText(u"font name"));
    const qint32 objectCount = in.ReadCount(kObjectHeaderBytes, u"object count");
    m_objects.reserve(std::size_t(objectCount));
    for (qint32 i = 0; i < objectCount; ++i) {
        const auto kind = TRLObjectKind(in.ReadUInt8(u"object kind"));
        const qint32 size = in.ReadInt32(u"object body size");
        TRLByteReader body = in.Sub(size, u"object body");
        if (TRLGraphicObject* object = TRLGraphicObject::CreateObject(kind, *this))
            object->LoadFromStream(body);
        // Unknown kinds are skipped by their size, and so is anything a known kind left unread.
        in.Seek(body.Limit(), u"object body");
    }
    m_modified = false;
}
