#include "report/RLReportFormulas.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLGroup.h"
#include "report/RLLabel.h"
#include "report/RLLayoutProperties.h"
#include "report/RLReport.h"
#include "support/RLPublishedProperties.h"

#include <mutex>

// The published properties that formulas read and set by name ("RLLabel1.Caption := 'x'").

namespace {

using namespace Qt::StringLiterals;

const QStringList& AlignmentNames()
{
    static const QStringList names { u"taLeftJustify"_s, u"taRightJustify"_s, u"taCenter"_s, u"taJustify"_s };
    return names;
}

const QStringList& LayoutNames()
{
    static const QStringList names { u"tlTop"_s, u"tlCenter"_s, u"tlBottom"_s, u"tlJustify"_s };
    return names;
}

/// A string property of class T with a getter and a setter.
template<class T>
void AddText(TRLPublishedProperties& table, const QString& name, const QString& (T::*get)() const,
    void (T::*set)(const QString&))
{
    table.AddFor<T>(
        name, TRLPropertyKind::String, [get](T& object) { return TVariant((object.*get)()); },
        [set](T& object, const TVariant& value) { (object.*set)(value.ToString()); });
}

void AddControlProperties(TRLPublishedProperties& table)
{
    table.AddFor<TRLCustomControl>(
        u"Alignment"_s, TRLPropertyKind::Enumeration,
        [](TRLCustomControl& c) { return TVariant(AlignmentNames().at(int(c.Alignment()))); },
        [](TRLCustomControl& c, const TVariant& v) {
            c.SetAlignment(TRLTextAlignment(EnumerationValue(u"Alignment", AlignmentNames(), v)));
        });
    table.AddFor<TRLCustomControl>(
        u"Layout"_s, TRLPropertyKind::Enumeration,
        [](TRLCustomControl& c) { return TVariant(LayoutNames().at(int(c.Layout()))); },
        [](TRLCustomControl& c, const TVariant& v) {
            c.SetLayout(TRLTextLayout(EnumerationValue(u"Layout", LayoutNames(), v)));
        });
    table.AddFor<TRLCustomControl>(
        u"AutoSize"_s, TRLPropertyKind::Enumeration,
        [](TRLCustomControl& c) { return BooleanName(c.AutoSize()); },
        [](TRLCustomControl& c, const TVariant& v) { c.SetAutoSize(BooleanValue(u"AutoSize", v)); });
    table.AddFor<TRLCustomControl>(
        u"Transparent"_s, TRLPropertyKind::Enumeration,
        [](TRLCustomControl& c) { return BooleanName(c.Transparent()); },
        [](TRLCustomControl& c, const TVariant& v) { c.SetTransparent(BooleanValue(u"Transparent", v)); });
    AddText<TRLCustomControl>(
        table, u"FriendlyName"_s, &TRLCustomControl::FriendlyName, &TRLCustomControl::SetFriendlyName);
    table.AddFor<TRLLabel>(
        u"Caption"_s, TRLPropertyKind::String, [](TRLLabel& c) { return TVariant(c.Caption()); },
        [](TRLLabel& c, const TVariant& v) { c.SetCaption(v.ToString()); });
}

template<class T> void AddFieldBinding(TRLPublishedProperties& table)
{
    AddText<T>(table, u"DataField"_s, &T::DataField, &T::SetDataField);
    AddText<T>(table, u"DataFormula"_s, &T::DataFormula, &T::SetDataFormula);
}

void AddDataControlProperties(TRLPublishedProperties& table)
{
    AddFieldBinding<TRLCustomDBText>(table);
    AddText<TRLCustomDBText>(table, u"Text"_s, &TRLCustomDBText::Text, &TRLCustomDBText::SetText);
    table.AddFor<TRLCustomDBText>(
        u"DisplayMask"_s, TRLPropertyKind::String, [](TRLCustomDBText& c) { return TVariant(c.DisplayMask); },
        [](TRLCustomDBText& c, const TVariant& v) { c.DisplayMask = v.ToString(); });
    AddFieldBinding<TRLCustomDBMemo>(table);
    table.AddFor<TRLCustomGroup>(
        u"KeyFields"_s, TRLPropertyKind::String, [](TRLCustomGroup& g) { return TVariant(g.KeyFields); },
        [](TRLCustomGroup& g, const TVariant& v) { g.KeyFields = v.ToString(); });
    table.AddFor<TRLCustomGroup>(
        u"KeyFormula"_s, TRLPropertyKind::String, [](TRLCustomGroup& g) { return TVariant(g.KeyFormula); },
        [](TRLCustomGroup& g, const TVariant& v) { g.KeyFormula = v.ToString(); });
}

void AddReportProperties(TRLPublishedProperties& table)
{
    table.AddFor<TRLCustomReport>(
        u"Title"_s, TRLPropertyKind::String, [](TRLCustomReport& r) { return TVariant(r.Title); },
        [](TRLCustomReport& r, const TVariant& v) { r.Title = v.ToString(); });
    table.AddFor<TRLCustomReport>(
        u"FirstPageNumber"_s, TRLPropertyKind::Integer,
        [](TRLCustomReport& r) { return TVariant(r.FirstPageNumber); },
        [](TRLCustomReport& r, const TVariant& v) {
            r.FirstPageNumber = IntegerValue(u"FirstPageNumber", v);
        });
}

void AddDataProperties(TRLPublishedProperties& table)
{
    TRLPublishedProperty dataSet;
    dataSet.Name = u"DataSet"_s;
    dataSet.Kind = TRLPropertyKind::Object;
    dataSet.AppliesTo = [](const TRLPathObject& object) {
        return object.IsComponent() && dynamic_cast<TDataSource*>(object.Component);
    };
    dataSet.Target = [](const TRLPathObject& object) {
        return TRLPathObject { static_cast<TDataSource*>(object.Component)->DataSet(), false };
    };
    table.Add(std::move(dataSet));
    table.AddFor<TDataSource>(
        u"AutoEdit"_s, TRLPropertyKind::Enumeration, [](TDataSource& s) { return BooleanName(s.AutoEdit); });
    // Opening or re-indexing a table from inside a formula would move the cursor under the
    // printing report, so these are read-only here.
    table.AddFor<TDataSet>(
        u"Active"_s, TRLPropertyKind::Enumeration, [](TDataSet& d) { return BooleanName(d.Active()); });
    table.AddFor<TDataSet>(u"IndexFieldNames"_s, TRLPropertyKind::String,
        [](TDataSet& d) { return TVariant(d.IndexFieldNames()); });
    table.AddFor<TDataSet>(
        u"RecordCount"_s, TRLPropertyKind::Integer, [](TDataSet& d) { return TVariant(d.RecordCount()); });
}

} // namespace

void RegisterReportProperties()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TRLPublishedProperties& table = TRLPublishedProperties::Instance();
        AddControlProperties(table);
        AddDataControlProperties(table);
        AddReportProperties(table);
        AddDataProperties(table);
        AddLayoutProperties(table);
    });
}
