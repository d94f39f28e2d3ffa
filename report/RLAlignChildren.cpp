// The site's layout of its children: 27 alignments placed in a fixed order, then anchors.
#include "platform/ComponentCast.h"
#include "report/RLBand.h"
#include "report/RLCustomSite.h"
#include "report/RLGroup.h"

#include <array>
#include <vector>

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

} // namespace

void TRLCustomSite::AlignChildren()
{
    if (IsLoading() || IsAligning())
        return;
    StateGuard aligning(*this, kStateAligning);
    std::array<ControlList, kControlAlignCount> lists;
    for (TControl* child : ChildrenInCreationOrder()) {
        auto* control = ComponentCast<TRLCustomControl>(child);
        if (control && control->Visible())
            Insert(lists[control->Align()], control, control->Align());
    }
    TRect r = ClientRect();

    for (TRLCustomControl* c : lists[faLeftMost]) {
        c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
        r.Left += c->Width();
    }
    for (TRLCustomControl* c : lists[faRightMost]) {
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
        r.Right -= c->Width();
    }
    for (TRLCustomControl* c : lists[faTop]) {
        c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
        r.Top += c->Height();
    }
    for (TRLCustomControl* c : lists[faBottom]) {
        c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
        r.Bottom -= c->Height();
    }
    for (TRLCustomControl* c : lists[faLeft]) {
        c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
        r.Left += c->Width();
    }
    for (TRLCustomControl* c : lists[faRight]) {
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
        r.Right -= c->Width();
    }
    {
        const ControlList& list = lists[faClient];
        const int count = int(list.size());
        int x = r.Left;
        for (int i = 0; i < count; ++i) {
            TRLCustomControl* c = list[i];
            c->SetBounds(x, r.Top, SlotSize(i, count, r.Width(), r.Left, x), r.Height());
            x += c->Width();
        }
    }
    const TRect inner = r;

    // Top corners and the space between them.
    int leftTopEnd = inner.Left;
    int leftTopLimit = inner.Top;
    for (TRLCustomControl* c : lists[faLeftTop]) {
        c->SetBounds(leftTopEnd, inner.Top, c->Width(), c->Height());
        leftTopEnd += c->Width();
        leftTopLimit = std::max(leftTopLimit, c->Top() + c->Height());
    }
    int rightTopStart = inner.Right;
    int rightTopLimit = inner.Top;
    for (TRLCustomControl* c : lists[faRightTop]) {
        c->SetBounds(rightTopStart - c->Width(), inner.Top, c->Width(), c->Height());
        rightTopStart -= c->Width();
        rightTopLimit = std::max(rightTopLimit, c->Top() + c->Height());
    }
    {
        const ControlList& list = lists[faClientTop];
        const int count = int(list.size());
        const int extent = rightTopStart - leftTopEnd;
        int x = leftTopEnd;
        for (int i = 0; i < count; ++i) {
            const int width = SlotSize(i, count, extent, leftTopEnd, x);
            list[i]->SetBounds(x, inner.Top, width, list[i]->Height());
            x += width;
        }
    }

    // Bottom corners and the space between them.
    int leftBottomEnd = inner.Left;
    int leftBottomLimit = inner.Bottom;
    for (TRLCustomControl* c : lists[faLeftBottom]) {
        c->SetBounds(leftBottomEnd, inner.Bottom - c->Height(), c->Width(), c->Height());
        leftBottomEnd += c->Width();
        leftBottomLimit = std::min(leftBottomLimit, c->Top());
    }
    int rightBottomStart = inner.Right;
    int rightBottomLimit = inner.Bottom;
    for (TRLCustomControl* c : lists[faRightBottom]) {
        c->SetBounds(rightBottomStart - c->Width(), inner.Bottom - c->Height(), c->Width(), c->Height());
        rightBottomStart -= c->Width();
        rightBottomLimit = std::min(rightBottomLimit, c->Top());
    }
    {
        const ControlList& list = lists[faClientBottom];
        const int count = int(list.size());
        const int extent = rightBottomStart - leftBottomEnd;
        int x = leftBottomEnd;
        for (int i = 0; i < count; ++i) {
            const int width = SlotSize(i, count, extent, leftBottomEnd, x);
            list[i]->SetBounds(x, inner.Bottom - list[i]->Height(), width, list[i]->Height());
            x += width;
        }
    }

    // Side columns between their corner limits.
    {
        const ControlList& list = lists[faClientLeft];
        const int count = int(list.size());
        const int extent = leftBottomLimit - leftTopLimit;
        int y = leftTopLimit;
        for (int i = 0; i < count; ++i) {
            const int height = SlotSize(i, count, extent, leftTopLimit, y);
            list[i]->SetBounds(inner.Left, y, list[i]->Width(), height);
            y += height;
        }
    }
    {
        const ControlList& list = lists[faClientRight];
        const int count = int(list.size());
        const int extent = rightBottomLimit - rightTopLimit;
        int y = rightTopLimit;
        for (int i = 0; i < count; ++i) {
            TRLCustomControl* c = list[i];
            c->SetBounds(
                inner.Right - c->Width(), y, c->Width(), SlotSize(i, count, extent, rightTopLimit, y));
            y += c->Height();
        }
    }

    // One-edge alignments.
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

    // Centred in equal slots along one edge.
    for (TRLControlAlign align : { faCenterLeft, faCenterRight }) {
        const ControlList& list = lists[align];
        const int count = int(list.size());
        int y = inner.Top;
        for (int i = 0; i < count; ++i) {
            TRLCustomControl* c = list[i];
            const int slot = SlotSize(i, count, inner.Height(), inner.Top, y);
            const int left = align == faCenterLeft ? inner.Left : inner.Right - c->Width();
            c->SetBounds(left, y + (slot - c->Height()) / 2, c->Width(), c->Height());
            y += slot;
        }
    }
    for (TRLControlAlign align : { faCenterTop, faCenterBottom }) {
        const ControlList& list = lists[align];
        const int count = int(list.size());
        int x = inner.Left;
        for (int i = 0; i < count; ++i) {
            TRLCustomControl* c = list[i];
            const int slot = SlotSize(i, count, inner.Width(), inner.Left, x);
            const int top = align == faCenterTop ? inner.Top : inner.Bottom - c->Height();
            c->SetBounds(x + (slot - c->Width()) / 2, top, c->Width(), c->Height());
            x += slot;
        }
    }
    {
        const ControlList& list = lists[faCenter];
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

    // Anchors follow the change of the site's size since the children were last aligned. An axis
    // anchored on one side only (or not at all) keeps the control where it is.
    const QSize size(Width(), Height());
    const int dw = m_aligned ? size.width() - m_alignedSize.width() : 0;
    const int dh = m_aligned ? size.height() - m_alignedSize.height() : 0;
    m_alignedSize = size;
    m_aligned = true;
    if (dw != 0 || dh != 0) {
        for (TRLCustomControl* c : lists[faNone]) {
            const TRLControlAnchors anchors = c->Anchors();
            int left = c->Left();
            int top = c->Top();
            int width = c->Width();
            int height = c->Height();
            if (anchors & fkRight) {
                if (anchors & fkLeft)
                    width += dw;
                else
                    left += dw;
            }
            if (anchors & fkBottom) {
                if (anchors & fkTop)
                    height += dh;
                else
                    top += dh;
            }
            c->SetBounds(left, top, width, height);
        }
    }

    for (TControl* child : Controls())
        if (auto* site = ComponentCast<TRLCustomSite>(child))
            site->AlignChildren();
}
