#include "report/RLGroup.h"

#include "db/DataSet.h"
#include "report/RLErrors.h"
#include "report/RLReport.h"

using enum TRLPageBreaking;

namespace {
constexpr int kGroupDefaultHeight = 64;
} // namespace

TRLCustomGroup::TRLCustomGroup(TComponent* owner)
    : TRLCustomPager(owner)
{
    SetExpandsToContent(true);
    SetHeight(kGroupDefaultHeight);
}

QString TRLCustomGroup::ClassName() const
{
    return QStringLiteral("TRLCustomGroup");
}

QString TRLCustomGroup::GroupKey()
{
    TRLCustomSkipper* skipper = RequireSkipper();
    TDataSet* dataSet = skipper->ActiveDataSet();
    if (!dataSet)
        return {};
    if (!KeyFormula.isEmpty())
        return RequireReport()->EvaluateFormula(*this, KeyFormula).toString();
    QString key;
    for (const QString& name : KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        TField* field = dataSet->FindField(name);
        if (!field)
            RaiseNotFound(*this, u".DataField", name);
        key += field->AsString();
    }
    return key;
}

void TRLCustomGroup::NotifyDetailPrinted(TRLCustomBand* band)
{
    TRLCustomPager::NotifyDetailPrinted(band);
    if (TRLCustomPager* enclosing = OwnerPager())
        enclosing->NotifyDetailPrinted(band);
}

bool TRLCustomGroup::CheckBreak()
{
    bool breakIt = false;
    if (!Enabled()) {
        TRLCustomGroup* enclosing = OwnerGroup();
        breakIt = enclosing && enclosing->CheckBreak();
    } else if (OnKeyBreak) {
        RaiseKeyBreak(breakIt);
    } else {
        const QString key = GroupKey();
        breakIt = key != PreviousKey;
        PreviousKey = key;
    }
    BreakSeen = breakIt;
    return breakIt;
}

void TRLCustomGroup::EmitToSurface()
{
    TRLCustomReport* report = RequireReport();
    TRLCustomSkipper* skipper = RequireSkipper();
    BeginNestedRun();
    PreviousKey = GroupKey();
    const TRLCustomReport* root = report->RootReport();
    bool first = true;
    while (!skipper->DataExhausted() && !root->CancelRequested) {
        BreakSeen = false;
        if (!first && CheckBreak())
            break;
        first = false;
        skipper->SetRecordAdvanced(false);
        PrintDetailPart();
        if (BreakSeen)
            break;
        if (!skipper->RecordAdvanced())
            skipper->NextRecord();
    }
    FinishPager();
    if (PageBreaking == pbAfterPrint)
        report->PageBreakPending = true;
}

void TRLCustomGroup::RaiseKeyBreak(bool& breakIt)
{
    if (OnKeyBreak)
        OnKeyBreak(this, breakIt);
}

TRLGroup::TRLGroup(TComponent* owner)
    : TRLCustomGroup(owner)
{
}

QString TRLGroup::ClassName() const
{
    return QStringLiteral("TRLGroup");
}
