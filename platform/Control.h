#pragma once

#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Rect.h"

#include <QRect>
#include <vector>

/// Limits a control's size; 0 means no limit.
struct TSizeConstraints {
    /// Pixels, as the control's bounds.
    ///@{
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    ///@}

    /// @cond ENGINE
    bool operator==(const TSizeConstraints&) const = default;
    /// @endcond
};

/// A visual element of a parent/child tree with bounds, font and colour, as the GUI framework
/// has it; not a window. Report controls derive from it and print instead of painting.
/// Bounds are pixels at 96 dpi from the top-left corner of the parent.
class TControl : public TComponent {
public:
    /// Visible, at 0, 0 with no size, taking the parent's font and colour once it has a parent.
    explicit TControl(TComponent* owner);
    /// Destroys the child controls first, whoever owns them, then leaves the parent.
    ~TControl() override;

    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The control this one lies in; the parent's list keeps the order of arrival. A control with
    /// ParentFont or ParentColor takes the new parent's font or colour. Parent and owner may
    /// differ: whichever of them is destroyed first deletes the control.
    ///@{
    TControl* Parent() const { return m_parent; }
    virtual void SetParent(TControl* parent);
    ///@}
    /// Child controls in insertion order.
    const std::vector<TControl*>& Controls() const { return m_controls; }
    /// The size of Controls().
    int ControlCount() const { return int(m_controls.size()); }
    /// The position of `control` among the children; -1 when it is not one.
    int IndexOfControl(const TControl* control) const;

    /// Position in the parent and size, in pixels at 96 dpi.
    ///@{
    int Left() const { return m_bounds.left(); }
    int Top() const { return m_bounds.top(); }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }
    TRect BoundsRect() const { return TRect::FromQRect(m_bounds); }
    ///@}
    /// Applies the constraints, then BoundsChanged when anything moved.
    virtual void SetBounds(int left, int top, int width, int height);
    /// Through SetBounds, with the other coordinates kept.
    ///@{
    void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    ///@}
    /// The client area in the control's own coordinates.
    virtual TRect ClientRect() const { return TRect::FromSize(0, 0, Width(), Height()); }

    /// Setting them re-applies the bounds at once.
    ///@{
    const TSizeConstraints& Constraints() const { return m_constraints; }
    void SetConstraints(const TSizeConstraints& constraints);
    ///@}

    /// The font the control prints in; children with ParentFont follow it.
    const TFont& Font() const { return m_font; }
    /// Setting a font turns ParentFont off.
    void SetFont(const TFont& font);
    /// On (the default): the control takes its parent's font, now and when it changes.
    ///@{
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    ///@}

    /// The background colour, clBtnFace until set or taken from the parent.
    TColor Color() const { return m_color; }
    /// Setting a colour turns ParentColor off.
    virtual void SetColor(TColor color);
    /// On (the default): the control takes its parent's colour, now and when it changes.
    ///@{
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    ///@}

    /// A hidden control and its children do not print.
    ///@{
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    ///@}

protected:
    /// Hooks for derived controls, run after the change is stored.
    ///@{
    virtual void BoundsChanged(const TRect& previous) { Q_UNUSED(previous); }
    virtual void FontChanged() { }
    virtual void ColorChanged() { }
    virtual void ParentChanged(TControl* previous) { Q_UNUSED(previous); }
    ///@}
    /// Bounds without constraints or hooks, for derived classes that enforce their own rules.
    void StoreBounds(const TRect& bounds) { m_bounds = bounds.ToQRect(); }

private:
    void ApplyFont(const TFont& font);
    void ApplyColor(TColor color);
    void PropagateFont();
    void PropagateColor();

    TControl* m_parent = nullptr;
    std::vector<TControl*> m_controls;
    QRect m_bounds;
    TSizeConstraints m_constraints;
    TFont m_font;
    TColor m_color = clBtnFace;
    bool m_parentFont = true;
    bool m_parentColor = true;
    bool m_visible = true;
};
