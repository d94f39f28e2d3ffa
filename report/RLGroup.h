#pragma once

#include "report/RLPager.h"

/// A band set that repeats its bands while a break key stays the same. Put it in the report
/// (SetParent(report), SetAlign(faTop)) and its bands in it: its btTitle bands print at the start
/// of each group, its btDetail bands once per record of the group, its btSummary bands at the end.
class TRLCustomGroup : public TRLCustomPager {
public:
    /// A group without a key (every record is one group), deleted by `owner`.
    explicit TRLCustomGroup(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Field names separated by ";".
    QString KeyFields;
    /// An expression evaluated through the report's formula hook.
    QString KeyFormula;
    /// The key of the current record: the formula's value, else the named fields' texts.
    QString GroupKey();

    /// When set, it alone decides for each record after a group's first whether that record
    /// starts a new group (set breakIt); the keys are not compared.
    TRLOnKeyBreakEvent OnKeyBreak;

protected:
    /// @cond ENGINE
    /// Whether the current record starts a new group (a disabled group asks the enclosing one);
    /// remembers the key it compared.
    bool CheckBreak();
    /// Runs the group's own record loop for the records of one key.
    void EmitToSurface() override;
    void RaiseKeyBreak(bool& breakIt);
    /// A group's details count in the enclosing pager too.
    void NotifyDetailPrinted(TRLCustomBand* band) override;

    QString PreviousKey;
    bool BreakSeen = false;
    /// @endcond
};

/// The group component a program creates; see TRLCustomGroup.
class TRLGroup : public TRLCustomGroup {
public:
    /// A group without a key, deleted by `owner`.
    explicit TRLGroup(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
