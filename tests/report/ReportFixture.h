#pragma once

#include "ReportTestSupport.h"
#include "tests/common/TestHelpers.h"

#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "report/RLBand.h"
#include "report/RLReport.h"

#include <QStringList>

/// A report over a memory dataset of records N = 1..count (and G, a group key), with helpers
/// that add bands holding one test text each. Pages are A4: rows 38 to 1085.
struct ReportFixture {
    explicit ReportFixture(int count, const QStringList& groups = {});

    TComponent form { nullptr };
    TMemoryDataSet* data = nullptr;
    TDataSource* source = nullptr;
    TRLReport* report = nullptr;
    /// AfterPrint of every band added, by its label (with the record for data bands).
    QStringList printed;

    /// A band of `type` and `height` on `parent` (the report by default) with one text: the label,
    /// followed by the current record's N when `withRecord`.
    TRLBand* AddBand(TRLBandType type, int height, const QString& label, bool withRecord = false,
        TRLCustomControl* parent = nullptr);
    /// A text on a band, at (0, top), printing `label` (and N when `withRecord`).
    TTestText* AddText(TRLCustomBand* band, const QString& label, int top = 0, bool withRecord = false);
    QString Dump() const;
    int PageCount() const;
    QStringList Words(int page) const;
    QStringList Texts(int page) const;
    /// The record's N as text.
    QString N() const;
};
