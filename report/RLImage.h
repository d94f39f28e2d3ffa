#pragma once

#include "report/RLCustomControl.h"

#include <QImage>

/// A picture printed stretched, scaled to fit or at its natural size (cut to the control).
class TRLCustomImage : public TRLCustomControl {
public:
    /// 105 x 105 pixels, AutoSize off (both directions when on).
    explicit TRLCustomImage(TComponent* owner);
    QString ClassName() const override;

    const QImage& Picture() const { return m_picture; }
    /// With AutoSize the control takes a non-empty picture's size at once.
    void SetPicture(const QImage& picture);
    /// The picture of a BMP, ICO, PNG or JPEG file; throws EReportError when the bytes are none.
    /// Pages keep an icon file itself wherever the whole picture is drawn (stretched or scaled).
    void LoadPictureFile(const QByteArray& file);
    /// The icon file the picture came from; empty for other pictures.
    const QByteArray& IconFile() const { return m_iconFile; }
    bool Stretch() const { return m_stretch; }
    /// True turns Scaled off.
    void SetStretch(bool stretch);
    bool Scaled() const { return m_scaled; }
    /// True turns Stretch off.
    void SetScaled(bool scaled);
    /// Centres a scaled or natural-size picture in the control.
    bool Center = false;

    /// The picture's size plus Borders.Width + 1 per visible side, with AutoSize.
    QSize MeasureContent() override;
    void EmitToSurface() override;

protected:
    /// The picture, and the icon file it was decoded from (empty when it is no icon).
    void SetPictureFrom(const QImage& picture, const QByteArray& iconFile);

private:
    QImage m_picture;
    QByteArray m_iconFile;
    bool m_stretch = false;
    bool m_scaled = false;
};

class TRLImage : public TRLCustomImage {
public:
    explicit TRLImage(TComponent* owner);
    QString ClassName() const override;
};
