#include "platform/ComponentCast.h"
#include "platform/Control.h"

#include <gtest/gtest.h>

namespace {

class TBase : public TControl {
public:
    using TControl::TControl;
};

class TDerived : public TBase {
public:
    using TBase::TBase;
};

class TOther : public TControl {
public:
    using TControl::TControl;
};

} // namespace

TEST(ComponentCast, AnswersAsDynamicCastDoesOnEveryCall)
{
    TDerived derived(nullptr);
    TBase base(nullptr);
    TOther other(nullptr);
    const std::vector<TControl*> controls { &derived, &base, &other, &derived, &other, &base };
    // Twice over, so that the second answer for each type comes from what the first remembered.
    for (int round = 0; round < 2; ++round) {
        for (TControl* control : controls) {
            EXPECT_EQ(ComponentCast<TBase>(control), dynamic_cast<TBase*>(control));
            EXPECT_EQ(ComponentCast<TDerived>(control), dynamic_cast<TDerived*>(control));
            EXPECT_EQ(ComponentCast<TOther>(control), dynamic_cast<TOther*>(control));
            const TControl* constant = control;
            EXPECT_EQ(ComponentCast<const TBase>(constant), dynamic_cast<const TBase*>(constant));
        }
    }
    EXPECT_EQ(ComponentCast<TBase>(static_cast<TControl*>(nullptr)), nullptr);
    EXPECT_EQ(ComponentCast<TDerived>(&base), nullptr) << "a base is not its derived class";
    EXPECT_EQ(ComponentCast<TBase>(&derived), &derived);
}
