#pragma once

#include "report/RLCustomControl.h"

/// Text in several lines, wrapped at the right edge; AutoSize sets the height only, and the
/// control expands its band (beSiteExpander) as it grows.
class TRLCustomMultiLine : public TRLCustomControl {
public:
    /// 185 x 89 pixels, WordWrap and AutoSize on.
    explicit TRLCustomMultiLine(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Off: lines break only at carriage returns (AutoSize still measures them wrapped).
    ///@{
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    ///@}
    /// Stored only: lines always start at the top.
    bool IntegralHeight = false;

protected:
    /// @cond ENGINE
    /// The height of the caption's lines wrapped at the full Width (also without WordWrap), one
    /// line of " " when empty, plus Borders.Width + 1 per visible top or bottom border.
    QSize MeasureContent() override;
    void EmitToSurface() override;
    void RefreshCaption();
    /// @endcond

private:
    bool m_wordWrap = true;
};
