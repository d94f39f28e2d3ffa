#include "ReportTestSupport.h"

#include "report/RLBand.h"
#include "report/RLCustomSite.h"
#include "report/RLGroup.h"
#include "report/RLReport.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLControlAlign;
using enum TRLControlAnchor;
using enum TRLControlBehaviorItem;
using enum TRLHoldStyle;
using enum TRLTextAlignment;
using enum TRLTextLayout;

using namespace Qt::StringLiterals;

namespace {

/// A bare site of 200 x 100 without margins or borders.
struct SiteLayout {
    TComponent form { nullptr };
    TRLCustomSite* site = new TRLCustomSite(&form);

    SiteLayout() { site->SetBounds(0, 0, 200, 100); }

    TTestText* Add(TRLControlAlign align, int left, int top, int width, int height)
    {
        auto* control = new TTestText(&form);
        control->SetBounds(left, top, width, height);
        control->SetParent(site);
        control->SetAlign(align);
        return control;
    }
};

} // namespace

TEST(Layout, BandsStackByTypeThenGroupIndexThenTop)
{
    TComponent form(nullptr);
    auto* report = new TRLReport(&form);
    // Loaded as from a stored layout: the Tops are those stored, and the report aligns once at the end.
    report->BeginLoading();
    auto* detailLow = new TRLBand(&form);
    detailLow->SetBounds(0, 900, 10, 20);
    detailLow->SetParent(report);
    auto* detailHigh = new TRLBand(&form);
    detailHigh->SetBounds(0, 500, 10, 30);
    detailHigh->SetParent(report);
    auto* detailGroup1 = new TRLBand(&form);
    detailGroup1->SetBounds(0, 1000, 10, 40);
    detailGroup1->SetGroupIndex(1);
    detailGroup1->SetParent(report);
    auto* header = new TRLBand(&form);
    header->SetBounds(0, 700, 10, 50);
    header->SetBandType(btColumnHeader);
    header->SetParent(report);
    report->EndLoading();

    struct Case {
        TRLBand* band;
        int top;
        const char* what;
    };
    // The column header comes first whatever its Top; then the details with GroupIndex 0 by Top.
    const Case cases[] = { { header, 38, "column header" }, { detailHigh, 88, "detail at 500" },
        { detailLow, 118, "detail at 900" }, { detailGroup1, 138, "detail of group index 1" } };
    for (const Case& c : cases) {
        EXPECT_EQ(c.band->Top(), c.top) << c.what;
        EXPECT_EQ(c.band->Width(), 718) << c.what;
    }
}

TEST(Layout, ClientColumnsShareTheWidth)
{
    SiteLayout layout;
    layout.site->SetBounds(0, 0, 100, 50);
    // Columns are ordered by their Left as it is when the site aligns them.
    TTestText* a = layout.Add(faClient, 0, 0, 10, 10);
    TTestText* b = layout.Add(faClient, 40, 0, 10, 10);
    TTestText* c = layout.Add(faClient, 80, 0, 10, 10);
    EXPECT_EQ(a->BoundsRect(), (TRect { 0, 0, 33, 50 }));
    EXPECT_EQ(b->BoundsRect(), (TRect { 33, 0, 66, 50 }));
    EXPECT_EQ(c->BoundsRect(), (TRect { 66, 0, 100, 50 }));
}

TEST(Layout, PlacementOfEachKind)
{
    struct Case {
        TRLControlAlign align;
        TRect start;
        TRect expected;
        const char* what;
    };
    // One child alone in a 200 x 100 site.
    const Case cases[] = {
        { faLeft, { 5, 5, 25, 15 }, { 0, 0, 20, 100 }, "left column" },
        { faRight, { 5, 5, 25, 15 }, { 180, 0, 200, 100 }, "right column" },
        { faTop, { 5, 5, 25, 15 }, { 0, 0, 200, 10 }, "top row" },
        { faBottom, { 5, 5, 25, 15 }, { 0, 90, 200, 100 }, "bottom row" },
        { faLeftMost, { 5, 5, 25, 15 }, { 0, 0, 20, 100 }, "leftmost" },
        { faRightMost, { 5, 5, 25, 15 }, { 180, 0, 200, 100 }, "rightmost" },
        { faClient, { 5, 5, 25, 15 }, { 0, 0, 200, 100 }, "client" },
        { faLeftTop, { 5, 5, 25, 15 }, { 0, 0, 20, 10 }, "left top corner" },
        { faRightTop, { 5, 5, 25, 15 }, { 180, 0, 200, 10 }, "right top corner" },
        { faLeftBottom, { 5, 5, 25, 15 }, { 0, 90, 20, 100 }, "left bottom corner" },
        { faRightBottom, { 5, 5, 25, 15 }, { 180, 90, 200, 100 }, "right bottom corner" },
        { faCenter, { 5, 5, 45, 25 }, { 80, 40, 120, 60 }, "centre" },
        { faCenterLeft, { 5, 5, 25, 25 }, { 0, 40, 20, 60 }, "centre left" },
        { faCenterRight, { 5, 5, 25, 25 }, { 180, 40, 200, 60 }, "centre right" },
        { faCenterTop, { 5, 5, 45, 15 }, { 80, 0, 120, 10 }, "centre top" },
        { faCenterBottom, { 5, 5, 45, 15 }, { 80, 90, 120, 100 }, "centre bottom" },
        { faClientLeft, { 5, 5, 25, 15 }, { 0, 0, 20, 100 }, "client left" },
        { faClientRight, { 5, 5, 25, 15 }, { 180, 0, 200, 100 }, "client right" },
        { faClientTop, { 5, 5, 25, 15 }, { 0, 0, 200, 10 }, "client top" },
        { faClientBottom, { 5, 5, 25, 15 }, { 0, 90, 200, 100 }, "client bottom" },
        { faHeight, { 5, 5, 25, 15 }, { 5, 0, 25, 100 }, "height" },
        { faWidth, { 5, 5, 25, 15 }, { 0, 5, 200, 15 }, "width" },
        { faLeftOnly, { 5, 5, 25, 15 }, { 0, 5, 20, 15 }, "left only" },
        { faRightOnly, { 5, 5, 25, 15 }, { 180, 5, 200, 15 }, "right only" },
        { faTopOnly, { 5, 5, 25, 15 }, { 5, 0, 25, 10 }, "top only" },
        { faBottomOnly, { 5, 5, 25, 15 }, { 5, 90, 25, 100 }, "bottom only" },
    };
    for (const Case& c : cases) {
        SiteLayout layout;
        TTestText* child = layout.Add(c.align, c.start.Left, c.start.Top, c.start.Width(), c.start.Height());
        EXPECT_EQ(child->BoundsRect(), c.expected) << c.what;
    }
}

TEST(Layout, StepsShareTheRectangleInOrder)
{
    SiteLayout layout;
    TTestText* client = layout.Add(faClient, 0, 0, 10, 10);
    TTestText* top = layout.Add(faTop, 0, 0, 10, 10);
    TTestText* leftMost = layout.Add(faLeftMost, 0, 0, 20, 10);
    TTestText* leftTop = layout.Add(faLeftTop, 0, 0, 30, 15);
    EXPECT_EQ(leftMost->BoundsRect(), (TRect { 0, 0, 20, 100 })) << "leftmost before top";
    EXPECT_EQ(top->BoundsRect(), (TRect { 20, 0, 200, 10 }));
    EXPECT_EQ(client->BoundsRect(), (TRect { 20, 10, 200, 100 }));
    EXPECT_EQ(leftTop->BoundsRect(), (TRect { 20, 10, 50, 25 })) << "corners use the inner rectangle";

    // Two client-left rows share the height below the corner's bottom.
    TTestText* row1 = layout.Add(faClientLeft, 0, 0, 12, 5);
    TTestText* row2 = layout.Add(faClientLeft, 0, 50, 12, 5);
    EXPECT_EQ(row1->BoundsRect(), (TRect { 20, 25, 32, 62 }));
    EXPECT_EQ(row2->BoundsRect(), (TRect { 20, 62, 32, 100 }));
}

TEST(Layout, ClientSideRowsStepBySlotOnTheLeftAndByHeightOnTheRight)
{
    struct Case {
        TRLControlAlign align;
        int secondTop;
        const char* what;
    };
    // Two rows share 100 pixels, but the first may be at most 20 high: the second starts one slot
    // (50) lower on the left, right below the first on the right; both take the rest.
    const Case cases[] = { { faClientLeft, 50, "client left" }, { faClientRight, 20, "client right" } };
    for (const Case& c : cases) {
        SiteLayout layout;
        TTestText* first = layout.Add(c.align, 0, 0, 12, 5);
        first->SetConstraints({ 0, 0, 0, 20 });
        TTestText* second = layout.Add(c.align, 0, 50, 12, 5);
        layout.site->AlignChildren();
        EXPECT_EQ(first->Top(), 0) << c.what;
        EXPECT_EQ(first->Height(), 20) << c.what;
        EXPECT_EQ(second->Top(), c.secondTop) << c.what;
        EXPECT_EQ(second->BoundsRect().Bottom, 100) << c.what;
    }
}

TEST(Layout, CentredAutoSizeMakesTheWidthEven)
{
    struct Case {
        TRLTextAlignment alignment;
        int left;
        int width;
        const char* what;
    };
    // A 41-pixel text in a control at 10, 50 wide (centre 35).
    const Case cases[] = { { taLeftJustify, 10, 41, "left keeps the left edge" },
        { taJustify, 10, 41, "justify keeps the left edge" },
        { taRightJustify, 19, 41, "right keeps the right edge at 60" },
        { taCenter, 14, 42, "centre: 41 becomes 42 around the old centre" } };
    for (const Case& c : cases) {
        TComponent form(nullptr);
        auto* text = new TTestText(&form);
        text->SetBounds(10, 5, 50, 10);
        text->SetAlignment(c.alignment);
        text->NaturalWidth = 41;
        text->SetAutoSize(true);
        EXPECT_EQ(text->Left(), c.left) << c.what;
        EXPECT_EQ(text->Width(), c.width) << c.what;
    }
}

TEST(Layout, VerticalLayoutOfAutoSize)
{
    struct Case {
        TRLTextLayout layout;
        int top;
        int height;
    };
    // A 15-pixel text in a control at top 20, 30 high.
    const Case cases[]
        = { { tlTop, 20, 15 }, { tlJustify, 20, 15 }, { tlBottom, 35, 15 }, { tlCenter, 27, 16 } };
    for (const Case& c : cases) {
        TComponent form(nullptr);
        auto* text = new TTestText(&form);
        text->SetBounds(0, 20, 50, 30);
        text->SetLayout(c.layout);
        text->NaturalWidth = 50;
        text->NaturalHeight = 15;
        text->SetAutoSize(true);
        EXPECT_EQ(text->Top(), c.top) << "layout " << int(c.layout);
        EXPECT_EQ(text->Height(), c.height) << "layout " << int(c.layout);
    }
}

TEST(Layout, SiteExpanderGrowsTheBand)
{
    for (bool expander : { true, false }) {
        TComponent form(nullptr);
        auto* report = new TRLReport(&form);
        auto* band = new TRLBand(&form);
        band->SetParent(report);
        band->SetHeight(40);
        auto* text = new TTestText(&form);
        text->SetParent(band);
        text->SetBounds(0, 5, 50, 10);
        if (expander)
            text->SetBehavior(beSiteExpander);
        text->SetHeight(30);
        EXPECT_EQ(band->Height(), expander ? 60 : 40) << (expander ? "expander" : "plain control");
    }
}

TEST(Layout, RestoringBoundsDoesNotExpand)
{
    TComponent form(nullptr);
    auto* report = new TRLReport(&form);
    auto* band = new TTestBand(&form);
    band->SetParent(report);
    band->SetHeight(40);
    auto* text = new TTestText(&form);
    text->SetParent(band);
    text->SetBehavior(beSiteExpander);
    text->SetBounds(0, 5, 50, 10);
    band->SaveBoundsTree();
    text->SetHeight(30);
    EXPECT_EQ(band->Height(), 60);
    band->RestoreBoundsTree();
    EXPECT_EQ(band->Height(), 40);
    EXPECT_EQ(text->Height(), 10);
}

TEST(Layout, HolderAsColumnRightJustified)
{
    SiteLayout layout;
    TTestText* holder = layout.Add(faNone, 100, 5, 80, 10);
    TTestText* held = layout.Add(faNone, 0, 40, 30, 10);
    held->SetAlignment(taRightJustify);
    held->SetHolder(holder);
    EXPECT_EQ(held->Left() + held->Width(), 180) << "flush with the holder's right edge";
    EXPECT_EQ(held->Width(), 80) << "the width is adjustable, so it is the holder's";
    EXPECT_EQ(held->Top(), 40);

    holder->SetBounds(120, 5, 60, 10);
    EXPECT_EQ(held->BoundsRect(), (TRect { 120, 40, 180, 50 })) << "held controls follow their holder";
}

TEST(Layout, HolderRelativelyKeepsTheCapturedOffset)
{
    SiteLayout layout;
    TTestText* holder = layout.Add(faNone, 100, 5, 80, 10);
    TTestText* held = layout.Add(faNone, 110, 30, 30, 10);
    held->SetHoldStyle(hsRelatively);
    held->SetHolder(holder);
    holder->SetBounds(50, 20, 80, 10);
    EXPECT_EQ(held->Left(), 60);
    EXPECT_EQ(held->Top(), 45);

    delete holder;
    EXPECT_EQ(held->Holder(), nullptr);
    held->SetLeft(3);
    EXPECT_EQ(held->Left(), 3);
}

TEST(Layout, HolderCycleStops)
{
    SiteLayout layout;
    TTestText* a = layout.Add(faNone, 0, 0, 30, 10);
    TTestText* b = layout.Add(faNone, 50, 0, 30, 10);
    a->SetHoldStyle(hsHorizontally);
    b->SetHoldStyle(hsHorizontally);
    a->SetHolder(b);
    b->SetHolder(a);
    a->SetBounds(5, 0, 30, 10);
    EXPECT_EQ(b->Holder(), a);
    EXPECT_EQ(a->Holder(), b);
}

TEST(Layout, AnchorsAndAlignExcludeEachOther)
{
    SiteLayout layout;
    TTestText* child = layout.Add(faTop, 0, 0, 20, 10);
    child->SetAnchors(fkLeft | fkTop);
    EXPECT_EQ(child->Align(), faNone);
    child->SetAlign(faLeft);
    EXPECT_EQ(child->Anchors(), 0u);
}

TEST(Layout, AnchorsFollowTheSiteSize)
{
    struct Case {
        TRLControlAnchors anchors;
        TRect expected;
        const char* what;
    };
    // The site grows from 200 x 100 to 220 x 130; the child starts at (10, 10, 30, 20).
    const Case cases[] = {
        { fkRight, { 30, 10, 50, 20 }, "right moves" },
        { fkLeft | fkRight, { 10, 10, 50, 20 }, "left and right stretch" },
        { fkBottom, { 10, 40, 30, 50 }, "bottom moves" },
        { fkTop | fkBottom, { 10, 10, 30, 50 }, "top and bottom stretch" },
        { fkLeft, { 10, 10, 30, 20 }, "one side only stays" },
        { fkTop, { 10, 10, 30, 20 }, "one side only stays" },
        { fkLeft | fkTop, { 10, 10, 30, 20 }, "left and top stay" },
    };
    for (const Case& c : cases) {
        SiteLayout layout;
        TTestText* child = layout.Add(faNone, 10, 10, 20, 10);
        child->SetAnchors(c.anchors);
        layout.site->SetBounds(0, 0, 220, 130);
        EXPECT_EQ(child->BoundsRect(), c.expected) << c.what;
        layout.site->AlignChildren();
        EXPECT_EQ(child->BoundsRect(), c.expected) << c.what << ", aligned again";
    }
}

TEST(Layout, ConstraintsLimitTheSize)
{
    SiteLayout layout;
    TTestText* child = layout.Add(faNone, 0, 0, 20, 10);
    child->SetConstraints({ 5, 5, 40, 30 });
    child->SetBounds(0, 0, 100, 1);
    EXPECT_EQ(child->Width(), 40);
    EXPECT_EQ(child->Height(), 5);
}

TEST(Layout, AutoSizeSiteMeasuresItsChildren)
{
    SiteLayout layout;
    layout.site->SetAutoSize(true);
    layout.Add(faNone, 10, 10, 50, 20);
    layout.Add(faNone, 100, 40, 30, 25);
    layout.site->FitBounds();
    EXPECT_EQ(layout.site->Width(), 130);
    EXPECT_EQ(layout.site->Height(), 65);
}
