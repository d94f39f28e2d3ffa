#include "report/RLMargins.h"

#include "report/RLCustomControl.h"

TRLMargins::TRLMargins(TRLCustomControl* owner, double defaultValue)
    : m_owner(owner)
    , m_values { defaultValue, defaultValue, defaultValue, defaultValue }
    , m_defaults { defaultValue, defaultValue, defaultValue, defaultValue }
{
}

void TRLMargins::SetDefaults(double value)
{
    for (int side = kLeft; side <= kBottom; ++side) {
        m_defaults[side] = value;
        m_values[side] = value;
    }
    if (m_owner)
        m_owner->FitBounds();
}

void TRLMargins::SetValue(int side, double value)
{
    if (value == m_values[side])
        return;
    m_values[side] = value;
    if (m_owner)
        m_owner->FitBounds();
}

void TRLMargins::Assign(const TRLMargins& source)
{
    SetLeftMargin(source.LeftMargin());
    SetTopMargin(source.TopMargin());
    SetRightMargin(source.RightMargin());
    SetBottomMargin(source.BottomMargin());
}
