#pragma once

#include "report/RLCustomControl.h"

#include <QImage>

/// A picture printed stretched, scaled to fit or at its natural size (cut to the control).
class TRLCustomImage : public TRLCustomControl {
public:
    /// 105 x 105 pixels, AutoSize off (both directions when on).
    explicit TRLCustomImage(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The picture printed; the page keeps it at its own resolution.
    const QImage& Picture() const { return m_picture; }
    /// With AutoSize the control takes a non-empty picture's size at once.
    void SetPicture(const QImage& picture);
    /// The picture of a BMP, ICO, PNG or JPEG file; throws EReportError when the bytes are none.
    /// Pages keep an icon file itself wherever the whole picture is drawn (stretched or scaled).
    void LoadPictureFile(const QByteArray& file);
    /// The icon file the picture came from; empty for other pictures.
    const QByteArray& IconFile() const { return m_iconFile; }
    /// The file LoadPictureFile was given, kept as it was; empty for a picture set otherwise.
    const QByteArray& PictureFile() const { return m_pictureFile; }
    /// The picture fills the control, proportions lost; true turns Scaled off.
    ///@{
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    ///@}
    /// The picture fills the control as far as its proportions allow; true turns Stretch off.
    ///@{
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool scaled);
    ///@}
    /// Centres a scaled or natural-size picture in the control.
    bool Center = false;

protected:
    /// @cond ENGINE
    /// The picture's size plus Borders.Width + 1 per visible side, with AutoSize.
    QSize MeasureContent() override;
    void EmitToSurface() override;
    /// The picture, and the icon file it was decoded from (empty when it is no icon).
    void SetPictureFrom(const QImage& picture, const QByteArray& iconFile);
    /// @endcond

private:
    QImage m_picture;
    QByteArray m_iconFile;
    QByteArray m_pictureFile;
    bool m_stretch = false;
    bool m_scaled = false;
};

/// The picture component a program creates; see TRLCustomImage.
class TRLImage : public TRLCustomImage {
public:
    /// 105 x 105 pixels without a picture, deleted by `owner`.
    explicit TRLImage(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
