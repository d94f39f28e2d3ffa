#pragma once

#include "report/RLPager.h"

class TDataSource;
class TDataSet;

/// A pager that iterates records: of a data source, or of an OnNeedData handler.
class TRLCustomSkipper : public TRLCustomPager {
public:
    explicit TRLCustomSkipper(TComponent* owner);
    ~TRLCustomSkipper() override;
    QString ClassName() const override;

    TDataSource* DataSource() const { return m_dataSource; }
    /// Cleared when the data source is destroyed.
    void SetDataSource(TDataSource* source);
    /// The data source's dataset when it is assigned and open, else none.
    TDataSet* ActiveDataSet() const;

    TRLRecordRange RecordRange = rrAllRecords;
    /// Records printed with rrNextN.
    int RangeCount = 0;
    bool PrintEmpty = false;

    TRLRecordAction RecordAction() const { return m_recordAction; }
    bool DataExhausted() const { return m_dataExhausted; }
    int RecNo() const { return m_recNo; }
    int CopyNo() const { return m_copyNo; }

    /// The OnDataCount handler's value, else the open dataset's record count, else 0.
    int DataCount();

    TRLOnDataCountEvent OnDataCount;
    TRLOnDataRecordEvent OnDataRecord;
    TRLOnNeedDataEvent OnNeedData;

protected:
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

private:
    void Fetch(bool first);

    TDataSource* m_dataSource = nullptr;
    TRLRecordAction m_recordAction = raUseIt;
    bool m_dataExhausted = true;
    int m_recNo = 0;
    int m_copyNo = 0;
    bool m_recordAdvanced = false;
};
