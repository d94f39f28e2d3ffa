#include "report/RLBackground.h"

#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"
#include "report/RLCustomSite.h"

#include <QPainter>

using enum TRLControlAlign;
using enum TRLImageArrange;

namespace {

[[noreturn]] void RaiseTileSheetTooLarge(const TRLCustomSite& site, const TRect& rect)
{
    throw EReportError(QStringLiteral("%1.Background: no room for a tiled picture of %2 x %3 pixels")
                           .arg(site.Name())
                           .arg(rect.Width())
                           .arg(rect.Height()));
}

} // namespace

TRLBackground::TRLBackground(TRLCustomSite* owner)
    : m_owner(owner)
{
}

void TRLBackground::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        AdjustSize();
}

void TRLBackground::SetPicture(const QImage& picture)
{
    m_picture = picture;
    m_pictureFile.clear();
    if (m_autoSize)
        AdjustSize();
}

void TRLBackground::LoadPictureFile(const QByteArray& file)
{
    SetPicture(LoadPicture(file));
    m_pictureFile = file;
}

void TRLBackground::AdjustSize()
{
    if (m_picture.isNull() || m_picture.width() == 0 || m_picture.height() == 0)
        return;
    Width = m_picture.width();
    Height = m_picture.height();
}

TRect TRLBackground::AlignedCell(const TRect& rect) const
{
    const int l = rect.Left;
    const int t = rect.Top;
    const int r = rect.Right;
    const int b = rect.Bottom;
    const int w = Width;
    const int h = Height;
    const int cx = (l + r - w) / 2;
    const int cy = (t + b - h) / 2;
    switch (Align) {
    case faLeft:
    case faLeftMost:
        return { l, t, l + w, b };
    case faTop:
        return { l, t, r, t + h };
    case faRight:
    case faRightMost:
        return { r - w, t, r, b };
    case faBottom:
        return { l, b - h, r, b };
    case faClient:
        return { l, t, r, b };
    case faRightTop:
        return { r - w, t, r, t + h };
    case faLeftBottom:
        return { l, b - h, l + w, b };
    case faRightBottom:
        return { r - w, b - h, r, b };
    case faCenter:
        return { cx, cy, cx + w, cy + h };
    case faCenterLeft:
    case faClientLeft:
    case faLeftOnly:
        return { l, cy, l + w, cy + h };
    case faCenterTop:
    case faClientTop:
    case faTopOnly:
        return { cx, t, cx + w, t + h };
    case faCenterRight:
    case faClientRight:
    case faRightOnly:
        return { r - w, cy, r, cy + h };
    case faCenterBottom:
    case faClientBottom:
    case faBottomOnly:
        return { cx, b - h, cx + w, b };
    case faHeight:
        return { cx, t, cx + w, b };
    case faWidth:
        return { l, cy, r, cy + h };
    case faNone:
    case faLeftTop:
        break;
    }
    return { l, t, l + w, t + h };
}

void TRLBackground::DrawBackground(TRLGraphicSurface& surface, const TRect& rect) const
{
    if (m_picture.isNull() || m_picture.width() == 0 || m_picture.height() == 0)
        return;
    TRect cell;
    switch (Arrange) {
    case baAligned:
        cell = AlignedCell(rect);
        break;
    case baCenter:
        cell.Left = (rect.Left + rect.Right - Width) / 2;
        cell.Top = (rect.Top + rect.Bottom - Height) / 2;
        cell.Right = cell.Left + Width;
        cell.Bottom = cell.Top + Height;
        break;
    case baSidebySide:
    case baDistributed:
        DrawTiled(surface, rect);
        return;
    }
    if (!Stretch) {
        cell.Right = cell.Left + m_picture.width();
        cell.Bottom = cell.Top + m_picture.height();
    }
    surface.StretchDraw(cell, m_picture, false);
}

void TRLBackground::DrawTiled(TRLGraphicSurface& surface, const TRect& rect) const
{
    if (rect.IsEmpty() || Width <= 0 || Height <= 0)
        return;
    QImage sheet(rect.Width(), rect.Height(), QImage::Format_ARGB32);
    if (sheet.isNull())
        RaiseTileSheetTooLarge(*m_owner, rect);
    sheet.fill(Qt::transparent);
    {
        QPainter painter(&sheet);
        int row = 0;
        for (int y = 0; y <= sheet.height(); y += Height, ++row) {
            const int start = (Arrange == baDistributed && row % 2 == 1) ? -(Width / 2) : 0;
            for (int x = start; x <= sheet.width(); x += Width) {
                if (Stretch)
                    painter.drawImage(QRect(x, y, Width, Height), m_picture);
                else
                    painter.drawImage(QPoint(x, y), m_picture);
            }
        }
    }
    surface.StretchDraw(rect, sheet, false);
}
