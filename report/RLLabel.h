#pragma once

#include "report/RLCustomControl.h"

/// A single line of text inside the control: measuring for AutoSize (width only) and drawing.
class TRLCustomLabel : public TRLCustomControl {
public:
    /// 65 x 17 pixels, AutoSize on.
    explicit TRLCustomLabel(TComponent* owner);
    QString ClassName() const override;

    /// The caption plus one blank in the control's font (the component name outside printing
    /// when the caption is empty), plus Borders.Width + 1 per visible side; only the width is
    /// the text's, the height stays.
    QSize MeasureContent() override;
    void EmitToSurface() override;

protected:
    /// The caption becomes ComposeText.
    void RefreshCaption();
};

/// A label printing its fixed Caption.
class TRLLabel : public TRLCustomLabel {
public:
    explicit TRLLabel(TComponent* owner);
    QString ClassName() const override;
};
