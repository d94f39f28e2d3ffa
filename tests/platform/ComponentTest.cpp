#include "platform/Component.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Records its own destruction and the removals it is told about.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, QString name, std::vector<QString>* log)
        : TComponent(owner)
        , m_log(log)
    {
        SetName(name);
    }
    ~Probe() override { m_log->push_back(u"destroy "_qs + Name()); }

    TComponent* reference = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::opRemove && component == reference) {
            m_log->push_back(Name() + u" lost "_qs + component->Name());
            reference = nullptr;
        }
    }

private:
    std::vector<QString>* m_log;
};

} // namespace

TEST(Component, OwnerDeletesOwnedComponentsInCreationOrder)
{
    std::vector<QString> log;
    auto* owner = new Probe(nullptr, u"Form1"_qs, &log);
    new Probe(owner, u"A"_qs, &log);
    new Probe(owner, u"B"_qs, &log);
    new Probe(owner, u"C"_qs, &log);
    delete owner;
    const std::vector<QString> expected { u"destroy Form1"_qs, u"destroy A"_qs, u"destroy B"_qs,
        u"destroy C"_qs };
    EXPECT_EQ(log, expected);
}

TEST(Component, DeletedComponentLeavesItsOwner)
{
    std::vector<QString> log;
    Probe owner(nullptr, u"Form1"_qs, &log);
    auto* a = new Probe(&owner, u"A"_qs, &log);
    new Probe(&owner, u"B"_qs, &log);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components().front()->Name(), u"B"_qs);
}

TEST(Component, FreeNotificationClearsTheReferenceEitherWay)
{
    std::vector<QString> log;
    Probe owner(nullptr, u"Form1"_qs, &log);
    auto* report = new Probe(&owner, u"Report"_qs, &log);
    auto* source = new Probe(&owner, u"Source"_qs, &log);
    report->reference = source;
    source->FreeNotification(report);
    delete source;
    EXPECT_EQ(report->reference, nullptr);
    EXPECT_NE(std::find(log.begin(), log.end(), u"Report lost Source"_qs), log.end());

    // The subscriber going first must leave no dangling link behind.
    auto* other = new Probe(&owner, u"Other"_qs, &log);
    auto* watcher = new Probe(&owner, u"Watcher"_qs, &log);
    other->FreeNotification(watcher);
    delete watcher;
    delete other;
}

TEST(Component, FindComponentIgnoresCase)
{
    std::vector<QString> log;
    Probe owner(nullptr, u"Form1"_qs, &log);
    auto* band = new Probe(&owner, u"RLBand1"_qs, &log);
    EXPECT_EQ(owner.FindComponent(u"rlband1"), band);
    EXPECT_EQ(owner.FindComponent(u"RLBand2"), nullptr);
    EXPECT_EQ(owner.FindComponent(u""), nullptr);
}
