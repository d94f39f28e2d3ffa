#pragma once

#include "report/RLCustomControl.h"

/// A single line of text inside the control: measuring for AutoSize (width only) and drawing.
class TRLCustomLabel : public TRLCustomControl {
public:
    /// 65 x 17 pixels, AutoSize on.
    explicit TRLCustomLabel(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

protected:
    /// @cond ENGINE
    /// The caption plus one blank in the control's font (the component name outside printing
    /// when the caption is empty), plus Borders.Width + 1 per visible side; only the width is
    /// the text's, the height stays.
    QSize MeasureContent() override;
    void EmitToSurface() override;
    /// The caption becomes ComposeText.
    void RefreshCaption();
    /// @endcond
};

/// A label printing its Caption (SetCaption), in its Font (the parent's unless set), placed by
/// SetBounds in pixels at 96 dpi; a BeforePrint handler may set the caption for each print.
class TRLLabel : public TRLCustomLabel {
public:
    /// 65 x 17 pixels, AutoSize on, deleted by `owner`.
    explicit TRLLabel(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
