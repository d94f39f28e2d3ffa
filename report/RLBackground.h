#pragma once

#include "platform/Rect.h"
#include "report/RLTypes.h"

#include <QImage>

class TRLCustomSite;
class TRLGraphicSurface;

enum class TRLImageArrange { baAligned, baSidebySide, baCenter, baDistributed };

/// A picture painted inside a site, below its controls: aligned, centred or tiled. Owned by the
/// site (TRLCustomSite::Background); nothing is painted without a picture.
class TRLBackground {
public:
    /// No picture, a 40 x 40 pixel cell filling the site, AutoSize on.
    explicit TRLBackground(TRLCustomSite* owner);

    /// Where the cell lies in the site with baAligned, as a control's Align would place it.
    TRLControlAlign Align = TRLControlAlign::faClient;
    /// baAligned places one cell by Align, baCenter centres it, baSidebySide tiles the site and
    /// baDistributed tiles it with every other row shifted by half a cell.
    TRLImageArrange Arrange = TRLImageArrange::baAligned;
    /// The picture fills its cell; off, it keeps its own size from the cell's top-left corner.
    bool Stretch = false;
    /// Size of one placed or tiled picture cell, in pixels.
    ///@{
    int Width = 40;
    int Height = 40;
    ///@}

    /// On: Width and Height follow the picture's size.
    bool AutoSize() const { return m_autoSize; }
    /// Turning it on takes the picture's size.
    void SetAutoSize(bool autoSize);
    /// The picture, drawn at its own resolution; setting one forgets PictureFile.
    ///@{
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);
    ///@}
    /// The picture of a BMP, ICO, PNG or JPEG file, kept with the file; throws EReportError when
    /// the bytes are none.
    void LoadPictureFile(const QByteArray& file);
    /// The file LoadPictureFile was given; empty for a picture set otherwise.
    const QByteArray& PictureFile() const { return m_pictureFile; }
    /// Width and Height := the picture's size, when there is a picture.
    void AdjustSize();

    /// @cond ENGINE
    void DrawBackground(TRLGraphicSurface& surface, const TRect& rect) const;
    /// @endcond

private:
    TRect AlignedCell(const TRect& rect) const;
    void DrawTiled(TRLGraphicSurface& surface, const TRect& rect) const;

    TRLCustomSite* m_owner;
    bool m_autoSize = true;
    QImage m_picture;
    QByteArray m_pictureFile;
};
