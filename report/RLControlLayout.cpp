// Layout rules of a single control: natural size, the bounds entry point, holders and site expansion.
#include "report/RLCustomControl.h"
#include "report/RLCustomSite.h"

#include <algorithm>

using enum TRLControlBehaviorItem;
using enum TRLHoldStyle;
using enum TRLTextAlignment;
using enum TRLTextLayout;

namespace {

/// The position of `control` in the coordinates of its nearest site (the site itself excluded).
QPoint PositionInSite(const TControl* control)
{
    QPoint position(control->Left(), control->Top());
    for (TControl* parent = control->Parent(); parent && !dynamic_cast<TRLCustomSite*>(parent);
         parent = parent->Parent())
        position += QPoint(parent->Left(), parent->Top());
    return position;
}

/// Where the client origin of `control`'s parent lies in its nearest site.
QPoint ParentOffsetInSite(const TControl* control)
{
    const TControl* parent = control->Parent();
    if (!parent || dynamic_cast<const TRLCustomSite*>(parent))
        return {};
    return PositionInSite(parent);
}

} // namespace

void TRLCustomControl::FitBounds()
{
    // A loading control fits once, when loading ends: each property set on the way would
    // otherwise resize it from half-set values.
    if (IsLoading() || HasState(kStateFitting))
        return;
    StateGuard fitting(*this, kStateFitting);
    const QSize size = MeasureContent();
    int w = size.width();
    int h = size.height();
    int left = Left();
    int top = Top();
    // Centring rounds a new size up to even. A size that stays (a label's height, a fixed-size
    // text) is kept as the layout stored it; rounding it would grow an odd one by a pixel.
    const bool sizesWidth = w != Width();
    const bool sizesHeight = h != Height();
    switch (m_alignment) {
    case taRightJustify:
        left = Left() + Width() - w;
        break;
    case taCenter:
        if (sizesWidth && w % 2 != 0)
            ++w;
        left = Left() + (Width() - w) / 2;
        break;
    default:
        break;
    }
    switch (m_layout) {
    case tlBottom:
        top = Top() + Height() - h;
        break;
    case tlCenter:
        if (sizesHeight && h % 2 != 0)
            ++h;
        top = Top() + (Height() - h) / 2;
        break;
    default:
        break;
    }
    SetBounds(left, top, w, h);
}

bool TRLCustomControl::WidthAdjustable() const
{
    return !IsWidthStretching(m_align) && !(m_horzAutoExpand && m_autoSize);
}

bool TRLCustomControl::HeightAdjustable() const
{
    return !IsHeightStretching(m_align) && !(m_vertAutoExpand && m_autoSize);
}

void TRLCustomControl::ApplyHoldTie(const HoldTie& tie, int& left, int& top, int& width, int& height) const
{
    const TRLCustomControl* holder = tie.holder;
    if (!holder)
        return;
    const bool copyWidth = WidthAdjustable()
        && (tie.style == hsAsColumn || tie.style == hsCopyWidth || tie.style == hsCopySize);
    const bool copyHeight = HeightAdjustable() && (tie.style == hsCopyHeight || tie.style == hsCopySize);
    // The copied size comes first, so that a right-justified or centred control lines up with
    // the holder in the size it ends with.
    if (copyWidth)
        width = holder->Width();
    if (copyHeight)
        height = holder->Height();
    int c = 0;
    if (m_alignment == taRightJustify)
        c = holder->Width() - width;
    else if (m_alignment == taCenter)
        c = (holder->Width() - width) / 2;
    int d = 0;
    if (m_layout == tlCenter)
        d = (holder->Height() - height) / 2;
    else if (m_layout == tlBottom)
        d = holder->Height() - height;
    const QPoint origin = PositionInSite(holder) - ParentOffsetInSite(this);
    switch (tie.style) {
    case hsAsColumn:
        left = origin.x() + c;
        break;
    case hsHorizontally:
        left = origin.x() + tie.dx + c;
        break;
    case hsVertically:
        top = origin.y() + tie.dy + d;
        break;
    case hsRelatively:
        left = origin.x() + tie.dx + c;
        top = origin.y() + tie.dy + d;
        break;
    case hsCopyWidth:
    case hsCopyHeight:
    case hsCopySize:
        break;
    }
}

void TRLCustomControl::SetBounds(int left, int top, int width, int height)
{
    const TRect previous = BoundsRect();
    if (m_hasFixedSize) {
        width = m_fixedWidth;
        height = m_fixedHeight;
    }
    ApplyHoldTie(m_firstTie, left, top, width, height);
    ApplyHoldTie(m_secondTie, left, top, width, height);
    const TSizeConstraints& limits = Constraints();
    if (limits.MinWidth > 0 && width < limits.MinWidth)
        width = limits.MinWidth;
    else if (limits.MaxWidth > 0 && width > limits.MaxWidth)
        width = limits.MaxWidth;
    if (limits.MinHeight > 0 && height < limits.MinHeight)
        height = limits.MinHeight;
    else if (limits.MaxHeight > 0 && height > limits.MaxHeight)
        height = limits.MaxHeight;
    const TRect next = TRect::FromSize(left, top, width, height);
    if (next == previous) {
        Realign();
        RefitHeldControls();
        return;
    }
    StoreBounds(next);
    m_previousBounds = previous;
    ExpandOwnerSite();
    if (TRLCustomSite* site = OwnerSite())
        site->Realign();
    Realign();
    RefitHeldControls();
}

void TRLCustomControl::RefitHeldControls()
{
    if (m_heldControls.empty() || HasState(kStateHolderRefit))
        return;
    StateGuard refitting(*this, kStateHolderRefit);
    const std::vector<TRLCustomControl*> held = m_heldControls;
    for (TRLCustomControl* control : held)
        control->FitBounds();
}

void TRLCustomControl::ExpandOwnerSite()
{
    if (IsLoading() || HasState(kStateRestoring) || HasState(kStateExpanding))
        return;
    StateGuard expanding(*this, kStateExpanding);
    if (!IsWidthStretching(m_align)) {
        TRLCustomSite* site = OwnerSite();
        while (site && IsWidthStretching(site->Align()))
            site = site->OwnerSite();
        if (site && site->HorzAutoExpand()) {
            if (site->AutoSize())
                site->FitBounds();
            else if (site->AutoExpand() && (m_behavior & beSiteExpander))
                site->SetBounds(site->Left(), site->Top(), site->Width() + Width() - m_previousBounds.Width(),
                    site->Height());
        }
    }
    if (!IsHeightStretching(m_align)) {
        TRLCustomSite* site = OwnerSite();
        while (site && IsHeightStretching(site->Align()))
            site = site->OwnerSite();
        if (site && site->VertAutoExpand()) {
            if (site->AutoSize())
                site->FitBounds();
            else if (site->AutoExpand() && (m_behavior & beSiteExpander))
                site->SetBounds(site->Left(), site->Top(), site->Width(),
                    site->Height() + Height() - m_previousBounds.Height());
        }
    }
}

void TRLCustomControl::CaptureHoldOffsets(HoldTie& tie)
{
    if (!tie.holder) {
        tie.dx = tie.dy = 0;
        return;
    }
    const QPoint offset = PositionInSite(this) - PositionInSite(tie.holder);
    tie.dx = offset.x();
    tie.dy = offset.y();
}

void TRLCustomControl::ChangeHolder(HoldTie& tie, TRLCustomControl* holder)
{
    if (holder == this || holder == tie.holder)
        return;
    if (tie.holder) {
        auto& held = tie.holder->m_heldControls;
        if (auto found = std::find(held.begin(), held.end(), this); found != held.end())
            held.erase(found);
        if (tie.holder != (&tie == &m_firstTie ? m_secondTie.holder : m_firstTie.holder))
            tie.holder->RemoveFreeNotification(this);
    }
    tie.holder = holder;
    if (holder) {
        holder->m_heldControls.push_back(this);
        holder->FreeNotification(this);
    }
    CaptureHoldOffsets(tie);
    FitBounds();
}

void TRLCustomControl::SetHolder(TRLCustomControl* holder)
{
    ChangeHolder(m_firstTie, holder);
}

void TRLCustomControl::SetSecondHolder(TRLCustomControl* holder)
{
    ChangeHolder(m_secondTie, holder);
}

void TRLCustomControl::SetHoldStyle(TRLHoldStyle style)
{
    if (style == m_firstTie.style)
        return;
    m_firstTie.style = style;
    CaptureHoldOffsets(m_firstTie);
}

void TRLCustomControl::SetSecondHoldStyle(TRLHoldStyle style)
{
    if (style == m_secondTie.style)
        return;
    m_secondTie.style = style;
    CaptureHoldOffsets(m_secondTie);
}
