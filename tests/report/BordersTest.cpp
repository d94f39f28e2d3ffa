#include "ControlTestSupport.h"

#include "report/RLBorders.h"
#include "report/RLLabel.h"

#include <gtest/gtest.h>

using enum TRLBorderSide;
using enum TRLBorderSides;
using enum TRLPrintQuality;

using namespace Qt::StringLiterals;

namespace {

struct Flags {
    TRLBorderSides sides;
    bool draw[4];
    bool fixed[4];
};

Flags FlagsOf(const TRLBorders& borders)
{
    Flags flags { borders.Sides(), {}, {} };
    for (int side = int(bsLeft); side <= int(bsBottom); ++side) {
        flags.fixed[side] = borders.Fixed(TRLBorderSide(side));
    }
    flags.draw[int(bsLeft)] = borders.DrawLeft();
    flags.draw[int(bsTop)] = borders.DrawTop();
    flags.draw[int(bsRight)] = borders.DrawRight();
    flags.draw[int(bsBottom)] = borders.DrawBottom();
    return flags;
}

QString Describe(const Flags& flags)
{
    const char* sides[] = { "custom", "none", "all" };
    QString text = QString::fromLatin1(sides[int(flags.sides)]) + u" draw "_s;
    for (bool draw : flags.draw)
        text += draw ? u'1' : u'0';
    text += u" fixed "_s;
    for (bool fixed : flags.fixed)
        text += fixed ? u'1' : u'0';
    return text;
}

TRLLabel* AddBox(ControlReport& r, TRLBand* band)
{
    auto* label = new TRLLabel(&r.form);
    label->SetParent(band);
    label->SetCaption(u"x"_s);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 100, 20);
    return label;
}

} // namespace

TEST(Borders, SidesSummaryRules)
{
    struct Case {
        std::function<void(TRLBorders&)> steps;
        QString result;
        const char* what;
    };
    const Case cases[] = {
        { [](TRLBorders& b) { b.SetSides(sdAll); }, u"all draw 1111 fixed 0000"_s, "all sides" },
        { [](TRLBorders& b) {
             b.SetSides(sdAll);
             b.SetDraw(bsTop, false);
         },
            u"custom draw 1011 fixed 0000"_s, "all, then the top off" },
        { [](TRLBorders& b) {
             b.SetSides(sdAll);
             for (int side = int(bsLeft); side <= int(bsBottom); ++side)
                 b.SetDraw(TRLBorderSide(side), false);
         },
            u"custom draw 0000 fixed 0000"_s, "all, then every side off: custom, not none" },
        { [](TRLBorders& b) { b.SetFixed(bsBottom, true); }, u"custom draw 0001 fixed 0001"_s,
            "a fixed bottom on no sides" },
        { [](TRLBorders& b) {
             b.SetFixed(bsLeft, true);
             b.SetDraw(bsLeft, false);
         },
            u"custom draw 0000 fixed 0000"_s, "clearing a side clears its fixed flag" },
        { [](TRLBorders& b) {
             b.SetFixed(bsLeft, true);
             b.SetSides(sdAll);
         },
            u"all draw 1111 fixed 1000"_s, "all keeps the fixed flags" },
        { [](TRLBorders& b) {
             b.SetFixed(bsLeft, true);
             b.SetSides(sdAll);
             b.SetSides(sdNone);
         },
            u"none draw 0000 fixed 0000"_s, "none clears draw and fixed flags" },
        { [](TRLBorders& b) {
             b.SetDraw(bsLeft, true);
             b.SetSides(sdCustom);
         },
            u"custom draw 1000 fixed 0000"_s, "custom changes no flag" },
        { [](TRLBorders& b) {
             b.SetSides(sdAll);
             b.SetDraw(bsTop, true);
         },
            u"all draw 1111 fixed 0000"_s, "setting a drawn side again keeps all" },
    };
    for (const Case& c : cases) {
        TRLBorders borders(nullptr);
        c.steps(borders);
        EXPECT_EQ(Describe(FlagsOf(borders)), c.result) << c.what;
    }
}

TEST(Borders, WidthRefusesNegativeValuesAndRefitsTheOwner)
{
    ControlReport r;
    auto* label = new TRLLabel(&r.form);
    label->SetParent(r.AddTitleBand(40));
    label->SetCaption(u"abc"_s);
    label->Borders()->SetSides(sdAll);
    const int oneWide = label->Width();
    label->Borders()->SetWidth(-2);
    EXPECT_EQ(label->Borders()->Width(), 1);
    label->Borders()->SetWidth(4);
    EXPECT_EQ(label->Width(), oneWide + 6) << "the label re-fits: 5 instead of 2 per side";
    label->Borders()->SetWidth(0);
    EXPECT_EQ(label->Width(), oneWide - 4) << "no allowance for a zero width";
}

TEST(Borders, ThreePixelBarsOnAHundredByTwenty)
{
    ControlReport r;
    TRLLabel* box = AddBox(r, r.AddTitleBand(40));
    box->Borders()->SetSides(sdAll);
    box->Borders()->SetWidth(3);
    box->Borders()->Color = clRed;
    ASSERT_TRUE(r.Prepare());
    const auto bars = PageObjects<TRLRectangleObject>(*r.report->Pages(), 0);
    ASSERT_EQ(bars.size(), 4u);
    // The band is at (38, 38): left, top, right and bottom bars in that order.
    EXPECT_EQ(RectText(bars[0]->BoundsRect), u"38,38,41,58"_s);
    EXPECT_EQ(RectText(bars[1]->BoundsRect), u"38,38,138,41"_s);
    EXPECT_EQ(RectText(bars[2]->BoundsRect), u"135,38,138,58"_s);
    EXPECT_EQ(RectText(bars[3]->BoundsRect), u"38,55,138,58"_s);
    for (const TRLRectangleObject* bar : bars) {
        EXPECT_EQ(bar->Brush.Color, (TRLStoredColor { 255, 0, 0 }));
        EXPECT_EQ(bar->Brush.Style, MetaBrushStyleSolid);
        EXPECT_EQ(bar->Pen.Color, (TRLStoredColor { 255, 0, 0 }));
        EXPECT_EQ(bar->Pen.Width, 1);
        EXPECT_EQ(bar->GroupId, bars[0]->GroupId);
    }
    const auto texts = PageObjects<TRLTextObject>(*r.report->Pages(), 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(RectText(texts[0]->BoundsRect), u"41,41,135,55"_s) << "the text inside the bars";
}

TEST(Borders, FixedOnlyQualityPrintsOnlyFixedSides)
{
    for (const TRLPrintQuality quality : { pqFullFeature, pqFixedOnly }) {
        ControlReport r;
        r.report->PrintQuality = quality;
        TRLLabel* box = AddBox(r, r.AddTitleBand(40));
        box->Borders()->SetSides(sdAll);
        box->Borders()->SetFixed(bsLeft, true);
        ASSERT_TRUE(r.Prepare());
        const auto bars = PageObjects<TRLRectangleObject>(*r.report->Pages(), 0);
        const auto texts = PageObjects<TRLTextObject>(*r.report->Pages(), 0);
        ASSERT_EQ(texts.size(), 1u);
        if (quality == pqFixedOnly) {
            ASSERT_EQ(bars.size(), 1u);
            EXPECT_EQ(RectText(bars[0]->BoundsRect), u"38,38,39,58"_s);
            EXPECT_EQ(RectText(texts[0]->BoundsRect), u"39,38,138,58"_s) << "shrinks only on the left";
        } else {
            EXPECT_EQ(bars.size(), 4u);
            EXPECT_EQ(RectText(texts[0]->BoundsRect), u"39,39,137,57"_s);
        }
    }
}

TEST(Borders, OutsideAReportOnlyFixedSidesShow)
{
    TComponent form(nullptr);
    auto* label = new TRLLabel(&form);
    label->Borders()->SetSides(sdAll);
    label->Borders()->SetFixed(bsRight, true);
    EXPECT_FALSE(label->Borders()->SideVisible(bsLeft));
    EXPECT_TRUE(label->Borders()->SideVisible(bsRight));
    EXPECT_EQ(label->BorderInsets(), (TRLInsets { 0, 0, 1, 0 }));
}

TEST(Borders, TransparentControlWithoutSidesEmitsNothingAtBaseLevel)
{
    ControlReport r;
    AddBox(r, r.AddTitleBand(40));
    ASSERT_TRUE(r.Prepare());
    EXPECT_TRUE(PageObjects<TRLRectangleObject>(*r.report->Pages(), 0).empty());
    EXPECT_TRUE(PageObjects<TRLFillRectObject>(*r.report->Pages(), 0).empty());
}
