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

private:
    QImage m_picture;
    bool m_stretch = false;
    bool m_scaled = false;
};

class TRLImage : public TRLCustomImage {
public:
    explicit TRLImage(TComponent* owner);
    QString ClassName() const override;
};
