#include "pages/RLGraphicObject.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"

#include <atomic>
#include <cmath>
#include <limits>

namespace {

std::atomic<int> g_groupId { 0 };

} // namespace

int NewGroupId()
{
    return ++g_groupId;
}

int CurrentGroupId()
{
    return g_groupId.load();
}

int RoundHalfEven(double value)
{
    // Hostile coordinates scaled past the int range are held at its ends rather than overflow.
    constexpr double kLowest = std::numeric_limits<qint32>::min();
    constexpr double kHighest = std::numeric_limits<qint32>::max();
    const double rounded = std::nearbyint(value);
    if (!(rounded >= kLowest))
        return std::isnan(rounded) ? 0 : std::numeric_limits<qint32>::min();
    if (rounded > kHighest)
        return std::numeric_limits<qint32>::max();
    return int(rounded);
}

TRLGraphicObject::TRLGraphicObject(TRLGraphicSurface& surface)
    : GroupId(CurrentGroupId())
    , m_surface(surface)
{
}

TRLGraphicObject::~TRLGraphicObject() = default;

TRLGraphicObject* TRLGraphicObject::CreateObject(TRLObjectKind kind, TRLGraphicSurface& surface)
{
    switch (kind) {
    case TRLObjectKind::Pixel:
        return &surface.AddObject<TRLPixelObject>();
    case TRLObjectKind::Line:
        return &surface.AddObject<TRLLineObject>();
    case TRLObjectKind::Rectangle:
        return &surface.AddObject<TRLRectangleObject>();
    case TRLObjectKind::Text:
        return &surface.AddObject<TRLTextObject>();
    case TRLObjectKind::FillRect:
        return &surface.AddObject<TRLFillRectObject>();
    case TRLObjectKind::Ellipse:
        return &surface.AddObject<TRLEllipseObject>();
    case TRLObjectKind::Polygon:
        return &surface.AddObject<TRLPolygonObject>();
    case TRLObjectKind::Polyline:
        return &surface.AddObject<TRLPolylineObject>();
    case TRLObjectKind::Image:
        return &surface.AddObject<TRLImageObject>();
    case TRLObjectKind::SetClipRect:
        return &surface.AddObject<TRLSetClipRectObject>();
    case TRLObjectKind::ResetClipRect:
        return &surface.AddObject<TRLResetClipRectObject>();
    }
    return nullptr;
}

void TRLGraphicObject::SaveToStream(TRLByteWriter& out) const
{
    out.WriteInt32(BoundsRect.Left);
    out.WriteInt32(BoundsRect.Top);
    out.WriteInt32(BoundsRect.Right);
    out.WriteInt32(BoundsRect.Bottom);
    out.WriteInt32(GroupId);
    out.WriteInt32(Reserved);
}

void TRLGraphicObject::LoadFromStream(TRLByteReader& in)
{
    BoundsRect.Left = in.ReadInt32(u"object bounds");
    BoundsRect.Top = in.ReadInt32(u"object bounds");
    BoundsRect.Right = in.ReadInt32(u"object bounds");
    BoundsRect.Bottom = in.ReadInt32(u"object bounds");
    GroupId = in.ReadInt32(u"object group id");
    Reserved = in.ReadInt32(u"object reserved field");
}

void TRLGraphicObject::Assign(const TRLGraphicObject& source)
{
    if (source.Kind() != Kind())
        throw EReportError(QStringLiteral("Cannot assign a drawing object of kind %1 to one of kind %2")
                               .arg(int(source.Kind()))
                               .arg(int(Kind())));
    BoundsRect = source.BoundsRect;
    GroupId = source.GroupId;
    Reserved = source.Reserved;
}

void TRLGraphicObject::Offset(int dx, int dy)
{
    BoundsRect.Left += dx;
    BoundsRect.Top += dy;
    BoundsRect.Right += dx;
    BoundsRect.Bottom += dy;
}

void TRLGraphicObject::Inflate(double scaleX, double scaleY)
{
    BoundsRect.Left = RoundHalfEven(BoundsRect.Left * scaleX);
    BoundsRect.Top = RoundHalfEven(BoundsRect.Top * scaleY);
    BoundsRect.Right = RoundHalfEven(BoundsRect.Right * scaleX);
    BoundsRect.Bottom = RoundHalfEven(BoundsRect.Bottom * scaleY);
}

TRLGraphicObject* TRLGraphicObject::Clone(TRLGraphicSurface& surface) const
{
    TRLGraphicObject* copy = CreateObject(Kind(), surface);
    copy->Assign(*this);
    return copy;
}
