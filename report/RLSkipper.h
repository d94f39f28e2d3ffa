#pragma once

#include "report/RLPager.h"

class TDataSource;
class TDataSet;

/// A pager that iterates records: of a data source, or of an OnNeedData handler.
class TRLCustomSkipper : public TRLCustomPager {
public:
    /// A skipper without data, deleted by `owner`.
    explicit TRLCustomSkipper(TComponent* owner);
    ~TRLCustomSkipper() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Where the records come from; not owned, cleared when the data source is destroyed.
    ///@{
    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* source);
    ///@}
    /// The data source's dataset when it is assigned and open, else none.
    TDataSet* ActiveDataSet() const;

    /// Which records print: all, the current one only, from the current one to the end, or the
    /// next RangeCount.
    TRLRecordRange RecordRange = TRLRecordRange::rrAllRecords;
    /// Records printed with rrNextN.
    int RangeCount = 0;
    /// The skipper prints its bands once even without records.
    bool PrintEmpty = false;

    /// What OnDataRecord decided for the current record.
    TRLRecordAction RecordAction() const { return m_recordAction; }
    /// No record is left to print.
    bool DataExhausted() const { return m_dataExhausted; }
    /// The current record's number in this run, from 1.
    int RecNo() const { return m_recNo; }
    /// The current copy of a retained record, from 1.
    int CopyNo() const { return m_copyNo; }

    /// The OnDataCount handler's value, else the open dataset's record count, else 0.
    int DataCount();

    /// Raised for the record count (the progress window's length); may set it.
    TRLOnDataCountEvent OnDataCount;
    /// Raised for each record before it prints: may end the data or use, skip or retain it.
    TRLOnDataRecordEvent OnDataRecord;
    /// Raised without a data source for each record: clear moreData to end the run.
    TRLOnNeedDataEvent OnNeedData;

protected:
    /// @cond ENGINE
    // The record loop, driven by the report and by the groups inside the skipper.
    friend class TRLCustomGroup;
    friend class TRLCustomControl;

    bool RecordAdvanced() const { return m_recordAdvanced; }
    void SetRecordAdvanced(bool advanced) { m_recordAdvanced = advanced; }
    virtual void FirstRecord();
    virtual void NextRecord();
    /// A skipper nested in another band set runs its own record loop.
    void EmitToSurface() override;
    /// The record loop: details until the data is exhausted or the root report is cancelled.
    void RunRecordLoop();
    void RaiseDataCount(int& count);
    void RaiseDataRecord(bool& eof, TRLRecordAction& action);
    void RaiseNeedData(bool& moreData);

    void Notification(TComponent* component, TOperation operation) override;
    /// Prints the child skippers whose PrintEmpty is set (an empty run).
    void PrintEmptySkippers();
    /// @endcond

private:
    void Fetch(bool first);

    TDataSource* m_dataSource = nullptr;
    TRLRecordAction m_recordAction = TRLRecordAction::raUseIt;
    bool m_dataExhausted = true;
    int m_recNo = 0;
    int m_copyNo = 0;
    bool m_recordAdvanced = false;
};
