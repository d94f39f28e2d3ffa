#include "platform/Control.h"

#include <algorithm>

TControl::TControl(TComponent* owner)
    : TComponent(owner)
{
}

TControl::~TControl()
{
    while (!m_controls.empty())
        delete m_controls.back();
    if (m_parent)
        std::erase(m_parent->m_controls, this);
}

QString TControl::ClassName() const
{
    return QStringLiteral("TControl");
}

void TControl::SetParent(TControl* parent)
{
    if (parent == m_parent || parent == this)
        return;
    TControl* previous = m_parent;
    if (m_parent)
        std::erase(m_parent->m_controls, this);
    m_parent = parent;
    if (m_parent) {
        m_parent->m_controls.push_back(this);
        if (m_parentFont)
            ApplyFont(m_parent->m_font);
        if (m_parentColor)
            ApplyColor(m_parent->m_color);
    }
    ParentChanged(previous);
}

int TControl::IndexOfControl(const TControl* control) const
{
    const auto found = std::find(m_controls.begin(), m_controls.end(), control);
    return found == m_controls.end() ? -1 : int(found - m_controls.begin());
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (m_constraints.MaxWidth > 0)
        width = std::min(width, m_constraints.MaxWidth);
    if (m_constraints.MinWidth > 0)
        width = std::max(width, m_constraints.MinWidth);
    if (m_constraints.MaxHeight > 0)
        height = std::min(height, m_constraints.MaxHeight);
    if (m_constraints.MinHeight > 0)
        height = std::max(height, m_constraints.MinHeight);
    const QRect next(left, top, width, height);
    if (next == m_bounds)
        return;
    const QRect previous = m_bounds;
    m_bounds = next;
    BoundsChanged(TRect::FromQRect(previous));
}

void TControl::SetConstraints(const TSizeConstraints& constraints)
{
    m_constraints = constraints;
    SetBounds(Left(), Top(), Width(), Height());
}

void TControl::SetFont(const TFont& font)
{
    m_parentFont = false;
    ApplyFont(font);
}

void TControl::SetParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (m_parentFont && m_parent)
        ApplyFont(m_parent->m_font);
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    ApplyColor(color);
}

void TControl::SetParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    if (m_parentColor && m_parent)
        ApplyColor(m_parent->m_color);
}

void TControl::SetVisible(bool visible)
{
    m_visible = visible;
}

void TControl::ApplyFont(const TFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    FontChanged();
    PropagateFont();
}

void TControl::ApplyColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    ColorChanged();
    PropagateColor();
}

void TControl::PropagateFont()
{
    for (TControl* child : m_controls)
        if (child->m_parentFont)
            child->ApplyFont(m_font);
}

void TControl::PropagateColor()
{
    for (TControl* child : m_controls)
        if (child->m_parentColor)
            child->ApplyColor(m_color);
}
