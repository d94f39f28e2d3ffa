#pragma once

#include "platform/Rect.h"
#include "report/RLTypes.h"

#include <QImage>

class TRLCustomSite;
class TRLGraphicSurface;

enum class TRLImageArrange { baAligned, baSidebySide, baCenter, baDistributed };

/// A picture painted inside a site: aligned, centred or tiled. Owned by the site.
class TRLBackground {
public:
    explicit TRLBackground(TRLCustomSite* owner);

    TRLControlAlign Align = TRLControlAlign::faClient;
    TRLImageArrange Arrange = TRLImageArrange::baAligned;
    bool Stretch = false;
    /// Size of one placed or tiled picture cell, in pixels.
    int Width = 40;
    int Height = 40;

    bool AutoSize() const { return m_autoSize; }
    /// Turning it on takes the picture's size.
    void SetAutoSize(bool autoSize);
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);
    /// The picture of a BMP, ICO, PNG or JPEG file, kept with the file; throws EReportError when
    /// the bytes are none.
    void LoadPictureFile(const QByteArray& file);
    /// The file LoadPictureFile was given; empty for a picture set otherwise.
    const QByteArray& PictureFile() const { return m_pictureFile; }
    /// Width and Height := the picture's size, when there is a picture.
    void AdjustSize();

    void DrawBackground(TRLGraphicSurface& surface, const TRect& rect) const;

private:
    TRect AlignedCell(const TRect& rect) const;
    void DrawTiled(TRLGraphicSurface& surface, const TRect& rect) const;

    TRLCustomSite* m_owner;
    bool m_autoSize = true;
    QImage m_picture;
    QByteArray m_pictureFile;
};
