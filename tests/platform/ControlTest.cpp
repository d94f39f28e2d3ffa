#include "platform/Control.h"

#include <gtest/gtest.h>

TEST(Control, ChildrenFollowParentFontUntilGivenTheirOwn)
{
    TControl form(nullptr);
    auto* band = new TControl(&form);
    auto* label = new TControl(&form);
    band->SetParent(&form);
    label->SetParent(band);

    TFont arial;
    arial.Name = u"Arial"_qs;
    arial.Height = -13;
    form.SetFont(arial);
    EXPECT_EQ(label->Font(), arial);

    TFont bold = arial;
    bold.Style = fsBold;
    label->SetFont(bold);
    EXPECT_FALSE(label->ParentFont());
    form.SetFont(arial);
    arial.Height = -16;
    form.SetFont(arial);
    EXPECT_EQ(band->Font().Height, -16);
    EXPECT_EQ(label->Font(), bold);

    label->SetParentFont(true);
    EXPECT_EQ(label->Font().Height, -16);
}

TEST(Control, ConstraintsLimitBounds)
{
    TControl control(nullptr);
    control.SetConstraints({ 10, 5, 100, 50 });
    control.SetBounds(3, 4, 500, 1);
    EXPECT_EQ(control.BoundsRect(), (TRect { 3, 4, 103, 9 }));
}

TEST(Control, DestroyingAParentDestroysChildrenOwnedElsewhere)
{
    TComponent form(nullptr);
    auto* band = new TControl(&form);
    auto* label = new TControl(&form);
    label->SetParent(band);
    ASSERT_EQ(form.ComponentCount(), 2);
    delete band;
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(Control, SetParentMovesBetweenParents)
{
    TControl first(nullptr);
    TControl second(nullptr);
    auto* child = new TControl(nullptr);
    child->SetParent(&first);
    child->SetParent(&second);
    EXPECT_EQ(first.ControlCount(), 0);
    EXPECT_EQ(second.IndexOfControl(child), 0);
}
