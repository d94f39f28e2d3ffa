#pragma once

class TRLCustomControl;

/// Four margins in millimetres with their defaults; a change re-fits the owning control.
class TRLMargins {
public:
    /// `defaultValue` is each side's default and initial value.
    TRLMargins(TRLCustomControl* owner, double defaultValue);

    /// Millimetres from the control's edge on each side.
    ///@{
    double LeftMargin() const { return m_values[kLeft]; }
    void SetLeftMargin(double value) { SetValue(kLeft, value); }
    double TopMargin() const { return m_values[kTop]; }
    void SetTopMargin(double value) { SetValue(kTop, value); }
    double RightMargin() const { return m_values[kRight]; }
    void SetRightMargin(double value) { SetValue(kRight, value); }
    double BottomMargin() const { return m_values[kBottom]; }
    void SetBottomMargin(double value) { SetValue(kBottom, value); }
    ///@}
    /// Sets all four values and their defaults.
    void SetDefaults(double value);
    /// Stored with the layout only when it differs from its default.
    bool IsStored(int side) const { return m_values[side] != m_defaults[side]; }
    /// Copies the four values through the setters.
    void Assign(const TRLMargins& source);

    /// The index IsStored takes.
    enum Side { kLeft, kTop, kRight, kBottom };

private:
    void SetValue(int side, double value);

    TRLCustomControl* m_owner;
    double m_values[4];
    double m_defaults[4];
};
