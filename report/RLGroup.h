#pragma once

#include "report/RLPager.h"

/// A band set that repeats its bands while a break key stays the same.
class TRLCustomGroup : public TRLCustomPager {
public:
    explicit TRLCustomGroup(TComponent* owner);
    QString ClassName() const override;

    /// Field names separated by ";".
    QString KeyFields;
    /// An expression evaluated through the report's formula hook.
    QString KeyFormula;
    QString PreviousKey;
    bool BreakSeen = false;

    /// The key of the current record: the formula's value, else the named fields' texts.
    QString GroupKey();
    /// Whether the current record starts a new group (a disabled group asks the enclosing one).
    bool CheckBreak();
    /// Runs the group's own record loop for the records of one key.
    void EmitToSurface() override;

    TRLOnKeyBreakEvent OnKeyBreak;
    void RaiseKeyBreak(bool& breakIt);
};

class TRLGroup : public TRLCustomGroup {
public:
    explicit TRLGroup(TComponent* owner);
    QString ClassName() const override;
};
