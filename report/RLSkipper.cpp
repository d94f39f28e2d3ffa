#include "report/RLSkipper.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "platform/ComponentCast.h"
#include "report/RLReport.h"

using enum TRLPageBreaking;
using enum TRLRecordAction;
using enum TRLRecordRange;

TRLCustomSkipper::TRLCustomSkipper(TComponent* owner)
    : TRLCustomPager(owner)
{
}

TRLCustomSkipper::~TRLCustomSkipper() = default;

QString TRLCustomSkipper::ClassName() const
{
    return QStringLiteral("TRLCustomSkipper");
}

void TRLCustomSkipper::SetDataSource(TDataSource* source)
{
    if (source == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->RemoveFreeNotification(this);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->FreeNotification(this);
}

void TRLCustomSkipper::Notification(TComponent* component, TOperation operation)
{
    TRLCustomPager::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_dataSource)
        m_dataSource = nullptr;
}

TDataSet* TRLCustomSkipper::ActiveDataSet() const
{
    if (!m_dataSource || !m_dataSource->DataSet() || !m_dataSource->DataSet()->Active())
        return nullptr;
    return m_dataSource->DataSet();
}

int TRLCustomSkipper::DataCount()
{
    if (OnDataCount) {
        int count = 0;
        RaiseDataCount(count);
        return count;
    }
    if (TDataSet* dataSet = ActiveDataSet())
        return dataSet->RecordCount();
    return 0;
}

void TRLCustomSkipper::FirstRecord()
{
    m_recNo = 1;
    m_copyNo = 1;
    m_recordAction = raUseIt;
    Fetch(true);
    m_recordAdvanced = false;
}

void TRLCustomSkipper::NextRecord()
{
    const TRLRecordAction last = m_recordAction;
    m_copyNo = last == raUseAndRetain ? m_copyNo + 1 : 1;
    if (last == raUseIt)
        ++m_recNo;
    Fetch(false);
    m_recordAdvanced = true;
}

void TRLCustomSkipper::Fetch(bool first)
{
    const TRLRecordAction last = m_recordAction;
    bool stay = !first && (last == raUseAndRetain || last == raBlankAndRetain);
    bool firstMove = first;
    for (;;) {
        bool more = false;
        if (stay) {
            more = true;
        } else if (m_dataSource) {
            if (TDataSet* dataSet = ActiveDataSet()) {
                if (!firstMove)
                    dataSet->Next();
                else if (RecordRange == rrAllRecords)
                    dataSet->First();
                more = !dataSet->Eof();
            }
        } else if (OnNeedData) {
            RaiseNeedData(more);
        }
        if (!firstMove && RecordRange == rrCurrentOnly)
            more = false;
        if (RecordRange == rrNextN && m_recNo > RangeCount)
            more = false;
        m_dataExhausted = !more;
        m_recordAction = raUseIt;
        RaiseDataRecord(m_dataExhausted, m_recordAction);
        if (m_dataExhausted || m_recordAction != raIgnoreIt)
            return;
        // An ignored record is skipped by moving on; an ignored first record too, so that a
        // handler ignoring records cannot hold the loop on the first one.
        stay = false;
        firstMove = false;
    }
}

void TRLCustomSkipper::RunRecordLoop()
{
    TRLCustomReport* root = RequireReport()->RootReport();
    while (!m_dataExhausted && !root->CancelRequested) {
        m_recordAdvanced = false;
        PrintDetailPart();
        if (!m_recordAdvanced)
            NextRecord();
    }
}

void TRLCustomSkipper::PrintEmptySkippers()
{
    for (TRLCustomPager* pager : ChildPagers()) {
        auto* skipper = ComponentCast<TRLCustomSkipper>(pager);
        if (skipper && skipper->PrintEmpty && skipper->DecidePrint()) {
            skipper->FitBounds();
            skipper->PrintControl();
            skipper->RaiseAfterPrint();
        }
    }
}

void TRLCustomSkipper::EmitToSurface()
{
    BeginNestedRun();
    FirstRecord();
    RunRecordLoop();
    if (PrintEmpty && DetailsPrinted() == 0) {
        OpenSiteSurface();
        PrintEmptySkippers();
    }
    FinishPager();
    if (PageBreaking == pbAfterPrint)
        RequireReport()->PageBreakPending = true;
}

void TRLCustomSkipper::RaiseDataCount(int& count)
{
    if (OnDataCount)
        OnDataCount(this, count);
}

void TRLCustomSkipper::RaiseDataRecord(bool& eof, TRLRecordAction& action)
{
    if (OnDataRecord)
        OnDataRecord(this, m_recNo, m_copyNo, eof, action);
}

void TRLCustomSkipper::RaiseNeedData(bool& moreData)
{
    if (OnNeedData)
        OnNeedData(this, moreData);
}
