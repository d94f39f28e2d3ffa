// The site's layout of its children: 27 alignments placed in a fixed order, then anchors.
#include "platform/ComponentCast.h"
#include "report/RLBand.h"
#include "report/RLCustomSite.h"
#include "report/RLGroup.h"

#include <algorithm>
#include <array>
#include <vector>

using enum TRLControlAlign;
using enum TRLControlAnchor;

namespace {

using ControlList = std::vector<TRLCustomControl*>;

constexpr int kLeafRank = 0;
constexpr int kBandRankStep = 10;
constexpr int kGroupRank = 32;
constexpr int kContainerRank = 100;

int KindRank(const TRLCustomControl* control)
{
    if (auto* band = ComponentCast<const TRLCustomBand>(control))
        return kBandRankStep * (int(band->BandType()) + 1);
    if (ComponentCast<const TRLCustomGroup>(control))
        return kGroupRank;
    if (ComponentCast<const TRLCustomSite>(control))
        return kContainerRank;
    return kLeafRank;
}

/// Whether `a` goes before `b` in the list of alignment `align`.
bool Precedes(const TRLCustomControl* a, const TRLCustomControl* b, TRLControlAlign align)
{
    const int rankA = KindRank(a);
    const int rankB = KindRank(b);
    if (rankA != rankB)
        return rankA < rankB;
    auto* bandA = ComponentCast<const TRLCustomBand>(a);
    auto* bandB = ComponentCast<const TRLCustomBand>(b);
    if (bandA && bandB && bandA->GroupIndex() != bandB->GroupIndex())
        return bandA->GroupIndex() < bandB->GroupIndex();
    switch (align) {
    case faLeft:
    case faLeftMost:
    case faClient:
    case faCenter:
    case faCenterTop:
    case faClientTop:
    case faWidth:
    case faLeftOnly:
        return a->Left() < b->Left();
    case faTop:
    case faCenterLeft:
    case faCenterRight:
    case faClientLeft:
    case faClientRight:
    case faHeight:
    case faTopOnly:
        return a->Top() < b->Top();
    case faRight:
    case faRightMost:
    case faCenterBottom:
    case faClientBottom:
    case faRightOnly:
        return a->Left() > b->Left();
    case faBottom:
    case faBottomOnly:
        return a->Top() > b->Top();
    case faLeftTop:
        return a->Left() < b->Left() && a->Top() < b->Top();
    case faRightTop:
        return a->Left() > b->Left() && a->Top() < b->Top();
    case faLeftBottom:
        return a->Left() < b->Left() && a->Top() > b->Top();
    case faRightBottom:
        return a->Left() > b->Left() && a->Top() > b->Top();
    case faNone:
        break;
    }
    return false;
}

void Insert(ControlList& list, TRLCustomControl* control, TRLControlAlign align)
{
    if (align != faNone)
        for (auto it = list.begin(); it != list.end(); ++it)
            if (Precedes(control, *it, align)) {
                list.insert(it, control);
                return;
            }
    list.push_back(control);
}

/// Sizes of `count` equal slots over `extent`; the last takes what is left.
int SlotSize(int index, int count, int extent, int start, int position)
{
    return index == count - 1 ? start + extent - position : extent / count;
}

/// One list per alignment, over the site's lists kept between calls.
struct ControlLists {
    std::array<ControlList, kControlAlignCount>& Lists;
    ControlList& operator[](TRLControlAlign align) { return Lists[std::size_t(align)]; }
    const ControlList& operator[](TRLControlAlign align) const { return Lists[std::size_t(align)]; }
};

// Edge strips: each control takes its strip off the side of `r`, so the next one starts inside it.
void PlaceLeftStrip(const ControlList& list, TRect& r)
{
    for (TRLCustomControl* c : list) {
        c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
        r.Left += c->Width();
    }
}

void PlaceRightStrip(const ControlList& list, TRect& r)
{
    for (TRLCustomControl* c : list) {
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
        r.Right -= c->Width();
    }
}

void PlaceTopStrip(const ControlList& list, TRect& r)
{
    for (TRLCustomControl* c : list) {
        c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
        r.Top += c->Height();
    }
}

void PlaceBottomStrip(const ControlList& list, TRect& r)
{
    for (TRLCustomControl* c : list) {
        c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
        r.Bottom -= c->Height();
    }
}

/// Equal full-height columns; each starts after the previous control's actual width.
void PlaceClientColumns(const ControlList& list, const TRect& r)
{
    const int count = int(list.size());
    int x = r.Left;
    for (int i = 0; i < count; ++i) {
        TRLCustomControl* c = list[i];
        c->SetBounds(x, r.Top, SlotSize(i, count, r.Width(), r.Left, x), r.Height());
        x += c->Width();
    }
}

/// The outer alignments, in their fixed order; what they leave is the inner rectangle.
TRect PlaceEdges(const ControlLists& lists, TRect r)
{
    PlaceLeftStrip(lists[faLeftMost], r);
    PlaceRightStrip(lists[faRightMost], r);
    PlaceTopStrip(lists[faTop], r);
    PlaceBottomStrip(lists[faBottom], r);
    PlaceLeftStrip(lists[faLeft], r);
    PlaceRightStrip(lists[faRight], r);
    PlaceClientColumns(lists[faClient], r);
    return r;
}

/// How far the corners of one row reach into the left and right side columns.
struct CornerLimits {
    int Left;
    int Right;
};

/// The two corners of the top (or bottom) row and the space between them, divided into equal
/// slots.
CornerLimits PlaceCornerRow(const ControlLists& lists, const TRect& inner, bool bottom)
{
    const auto top
        = [&](const TRLCustomControl* c) { return bottom ? inner.Bottom - c->Height() : inner.Top; };
    const auto reach = [&](int limit, const TRLCustomControl* c) {
        return bottom ? std::min(limit, c->Top()) : std::max(limit, c->Top() + c->Height());
    };
    const int edge = bottom ? inner.Bottom : inner.Top;
    CornerLimits limits { edge, edge };
    int leftEnd = inner.Left;
    for (TRLCustomControl* c : lists[bottom ? faLeftBottom : faLeftTop]) {
        c->SetBounds(leftEnd, top(c), c->Width(), c->Height());
        leftEnd += c->Width();
        limits.Left = reach(limits.Left, c);
    }
    int rightStart = inner.Right;
    for (TRLCustomControl* c : lists[bottom ? faRightBottom : faRightTop]) {
        c->SetBounds(rightStart - c->Width(), top(c), c->Width(), c->Height());
        rightStart -= c->Width();
        limits.Right = reach(limits.Right, c);
    }
    const ControlList& between = lists[bottom ? faClientBottom : faClientTop];
    const int count = int(between.size());
    int x = leftEnd;
    for (int i = 0; i < count; ++i) {
        TRLCustomControl* c = between[i];
        const int width = SlotSize(i, count, rightStart - leftEnd, leftEnd, x);
        c->SetBounds(x, top(c), width, c->Height());
        x += width;
    }
    return limits;
}

/// Equal rows between `from` and `to` at the inner left (or right). A left row starts one slot
/// lower, a right row below the previous control's actual height: they differ where Constraints
/// changed a height.
void PlaceSideColumn(const ControlList& list, const TRect& inner, int from, int to, bool right)
{
    const int count = int(list.size());
    int y = from;
    for (int i = 0; i < count; ++i) {
        TRLCustomControl* c = list[i];
        const int height = SlotSize(i, count, to - from, from, y);
        c->SetBounds(right ? inner.Right - c->Width() : inner.Left, y, c->Width(), height);
        y += right ? c->Height() : height;
    }
}

void PlaceCorners(const ControlLists& lists, const TRect& inner)
{
    const CornerLimits top = PlaceCornerRow(lists, inner, false);
    const CornerLimits bottom = PlaceCornerRow(lists, inner, true);
    PlaceSideColumn(lists[faClientLeft], inner, top.Left, bottom.Left, false);
    PlaceSideColumn(lists[faClientRight], inner, top.Right, bottom.Right, true);
}

/// Alignments that move a control to one edge (or stretch it across one axis) and keep the rest.
void PlaceOneEdge(const ControlLists& lists, const TRect& inner)
{
    for (TRLCustomControl* c : lists[faLeftOnly])
        c->SetBounds(inner.Left, c->Top(), c->Width(), c->Height());
    for (TRLCustomControl* c : lists[faRightOnly])
        c->SetBounds(inner.Right - c->Width(), c->Top(), c->Width(), c->Height());
    for (TRLCustomControl* c : lists[faTopOnly])
        c->SetBounds(c->Left(), inner.Top, c->Width(), c->Height());
    for (TRLCustomControl* c : lists[faBottomOnly])
        c->SetBounds(c->Left(), inner.Bottom - c->Height(), c->Width(), c->Height());
    for (TRLCustomControl* c : lists[faHeight])
        c->SetBounds(c->Left(), inner.Top, c->Width(), inner.Height());
    for (TRLCustomControl* c : lists[faWidth])
        c->SetBounds(inner.Left, c->Top(), inner.Width(), c->Height());
}

/// Centred in equal slots down the inner left (or right) edge.
void PlaceCentredColumn(const ControlList& list, const TRect& inner, bool right)
{
    const int count = int(list.size());
    int y = inner.Top;
    for (int i = 0; i < count; ++i) {
        TRLCustomControl* c = list[i];
        const int slot = SlotSize(i, count, inner.Height(), inner.Top, y);
        const int left = right ? inner.Right - c->Width() : inner.Left;
        c->SetBounds(left, y + (slot - c->Height()) / 2, c->Width(), c->Height());
        y += slot;
    }
}

/// Centred in equal slots along the inner top (or bottom) edge.
void PlaceCentredRow(const ControlList& list, const TRect& inner, bool bottom)
{
    const int count = int(list.size());
    int x = inner.Left;
    for (int i = 0; i < count; ++i) {
        TRLCustomControl* c = list[i];
        const int slot = SlotSize(i, count, inner.Width(), inner.Left, x);
        const int top = bottom ? inner.Bottom - c->Height() : inner.Top;
        c->SetBounds(x + (slot - c->Width()) / 2, top, c->Width(), c->Height());
        x += slot;
    }
}

/// Side by side, the group centred both ways by its summed width and height.
void PlaceCentredGroup(const ControlList& list, const TRect& inner)
{
    int sumWidth = 0;
    int sumHeight = 0;
    for (const TRLCustomControl* c : list) {
        sumWidth += c->Width();
        sumHeight += c->Height();
    }
    const int top = (inner.Top + inner.Bottom - sumHeight) / 2;
    int x = (inner.Left + inner.Right - sumWidth) / 2;
    for (TRLCustomControl* c : list) {
        c->SetBounds(x, top, c->Width(), c->Height());
        x += c->Width();
    }
}

void PlaceCentred(const ControlLists& lists, const TRect& inner)
{
    PlaceCentredColumn(lists[faCenterLeft], inner, false);
    PlaceCentredColumn(lists[faCenterRight], inner, true);
    PlaceCentredRow(lists[faCenterTop], inner, false);
    PlaceCentredRow(lists[faCenterBottom], inner, true);
    PlaceCentredGroup(lists[faCenter], inner);
}

/// An axis anchored on both sides stretches by the change, on the far side only moves by it, and
/// otherwise keeps the control where it is.
void FollowAnchors(const ControlList& list, int dw, int dh)
{
    for (TRLCustomControl* c : list) {
        const TRLControlAnchors anchors = c->Anchors();
        int left = c->Left();
        int top = c->Top();
        int width = c->Width();
        int height = c->Height();
        if (anchors.testFlag(fkRight)) {
            if (anchors.testFlag(fkLeft))
                width += dw;
            else
                left += dw;
        }
        if (anchors.testFlag(fkBottom)) {
            if (anchors.testFlag(fkTop))
                height += dh;
            else
                top += dh;
        }
        c->SetBounds(left, top, width, height);
    }
}

} // namespace

void TRLCustomSite::AlignChildren()
{
    if (IsLoading() || IsAligning())
        return;
    StateGuard aligning(*this, kStateAligning);
    ControlLists lists { m_alignLists };
    for (ControlList& list : lists.Lists)
        list.clear();
    for (TControl* child : ChildrenInCreationOrder()) {
        auto* control = ComponentCast<TRLCustomControl>(child);
        if (control && control->Visible())
            Insert(lists[control->Align()], control, control->Align());
    }
    const TRect inner = PlaceEdges(lists, ClientRect());
    PlaceCorners(lists, inner);
    PlaceOneEdge(lists, inner);
    PlaceCentred(lists, inner);

    // Anchors follow the change of the site's size since the children were last aligned.
    const QSize size(Width(), Height());
    const int dw = m_aligned ? size.width() - m_alignedSize.width() : 0;
    const int dh = m_aligned ? size.height() - m_alignedSize.height() : 0;
    m_alignedSize = size;
    m_aligned = true;
    if (dw != 0 || dh != 0)
        FollowAnchors(lists[faNone], dw, dh);

    for (TControl* child : Controls())
        if (auto* site = ComponentCast<TRLCustomSite>(child))
            site->AlignChildren();
}
