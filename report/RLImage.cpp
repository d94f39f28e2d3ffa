#include "report/RLImage.h"

#include "pages/RLGraphicSurface.h"
#include "pages/RLPictureData.h"
#include "platform/Picture.h"
#include "report/RLBorders.h"

using enum TRLBorderSide;

namespace {
constexpr int kImageSize = 105;
} // namespace

TRLCustomImage::TRLCustomImage(TComponent* owner)
    : TRLCustomControl(owner)
{
    SetAutoExpandFlags(true, true);
    SetBounds(Left(), Top(), kImageSize, kImageSize);
}

QString TRLCustomImage::ClassName() const
{
    return QStringLiteral("TRLCustomImage");
}

void TRLCustomImage::SetPicture(const QImage& picture)
{
    SetPictureFrom(picture, QByteArray());
}

void TRLCustomImage::LoadPictureFile(const QByteArray& file)
{
    const QImage picture = LoadPicture(file);
    SetPictureFrom(picture, DetectPictureFormat(file) == TPictureFormat::Icon ? file : QByteArray());
    m_pictureFile = file;
}

void TRLCustomImage::SetPictureFrom(const QImage& picture, const QByteArray& iconFile)
{
    m_picture = picture;
    m_iconFile = picture.isNull() ? QByteArray() : iconFile;
    m_pictureFile.clear();
    if (AutoSize() && m_picture.width() > 0 && m_picture.height() > 0)
        SetBounds(Left(), Top(), m_picture.width(), m_picture.height());
}

void TRLCustomImage::SetStretch(bool stretch)
{
    m_stretch = stretch;
    if (stretch)
        m_scaled = false;
}

void TRLCustomImage::SetScaled(bool scaled)
{
    m_scaled = scaled;
    if (scaled)
        m_stretch = false;
}

QSize TRLCustomImage::MeasureContent()
{
    if (!AutoSize())
        return QSize(Width(), Height());
    int width = m_picture.width();
    int height = m_picture.height();
    const TRLBorders& borders = *Borders();
    if (borders.Width() > 0) {
        const int allowance = borders.Width() + 1;
        width
            += (borders.SideVisible(bsLeft) ? allowance : 0) + (borders.SideVisible(bsRight) ? allowance : 0);
        height
            += (borders.SideVisible(bsTop) ? allowance : 0) + (borders.SideVisible(bsBottom) ? allowance : 0);
    }
    return QSize(width, height);
}

void TRLCustomImage::EmitToSurface()
{
    TRLCustomControl::EmitToSurface();
    const TRect rect = SurfaceClientRect();
    if (m_picture.isNull() || m_picture.width() == 0 || m_picture.height() == 0)
        return;
    TRLGraphicSurface& surface = *RequireSurface();
    NewGroupId();
    // An icon keeps its own file where the picture is drawn whole; the visible part of a
    // clipped picture is a new bitmap.
    if (m_scaled && !m_iconFile.isEmpty())
        surface.ScaleDrawData(rect, m_picture.size(), IconPictureData(m_iconFile), Center);
    else if (m_scaled)
        surface.ScaleDraw(rect, m_picture, Center);
    else if (m_stretch && !m_iconFile.isEmpty())
        surface.StretchDrawData(rect, IconPictureData(m_iconFile), false);
    else if (m_stretch)
        surface.StretchDraw(rect, m_picture, false);
    else
        surface.ClipDraw(rect, m_picture, Center);
}

TRLImage::TRLImage(TComponent* owner)
    : TRLCustomImage(owner)
{
}

QString TRLImage::ClassName() const
{
    return QStringLiteral("TRLImage");
}
