// Writing a report as a layout file.
#include "db/DataSource.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "db/Table.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "report/RLReportBuilder.h"
#include "report/RLReportFormulas.h"
#include "support/OutputFiles.h"
#include "support/RLPublishedProperties.h"
#include "support/SaveFiles.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

QJsonValue JsonValue(const TRLPublishedProperty& property, const TVariant& value)
{
    switch (property.Kind) {
    case TRLPropertyKind::Integer:
        return double(value.ToInt());
    case TRLPropertyKind::Float:
        return value.ToDouble();
    case TRLPropertyKind::Enumeration: {
        const QString name = value.ToString();
        if (name == u"True"_s || name == u"False"_s)
            return name == u"True"_s;
        return name;
    }
    case TRLPropertyKind::Set: {
        QString text = value.ToString();
        text = text.mid(1, text.size() - 2);
        return QJsonArray::fromStringList(text.split(u',', Qt::SkipEmptyParts));
    }
    case TRLPropertyKind::String:
    case TRLPropertyKind::Reference:
    case TRLPropertyKind::Object:
        break;
    }
    return value.ToString();
}

/// The properties of `object` whose values differ from those of `pristine`, the same part of a
/// component as its class's constructor makes it (every property when there is none).
QJsonObject Properties(const TRLPathObject& object, const TRLPathObject& pristine)
{
    QJsonObject result;
    for (const TRLPublishedProperty* property : TRLPublishedProperties::Instance().PropertiesOf(object)) {
        if (object.IsComponent() && property->Name == u"Name"_s)
            continue;
        if (property->Stored && !property->Stored(object))
            continue;
        if (property->Kind == TRLPropertyKind::Object) {
            const TRLPathObject target = property->Target ? property->Target(object) : TRLPathObject();
            // Objects that are components of their own (a data source's dataset) are not kept inline.
            if (!target.IsValid() || target.IsComponent())
                continue;
            // A font is kept whole: loading starts from the parent's font, not the class's.
            const QJsonObject values = Properties(
                target, pristine.IsValid() && !target.IsFont ? property->Target(pristine) : TRLPathObject());
            if (!values.isEmpty())
                result.insert(property->Name, values);
            continue;
        }
        if (!property->Read || !property->Write)
            continue;
        const QJsonValue value = JsonValue(*property, property->Read(object));
        if (pristine.IsValid() && JsonValue(*property, property->Read(pristine)) == value)
            continue;
        result.insert(property->Name, value);
    }
    return result;
}

/// The control and every control inside it, parents before children, children in their order.
void Collect(TControl* control, std::vector<TControl*>& controls)
{
    controls.push_back(control);
    for (TControl* child : control->Controls())
        Collect(child, controls);
}

/// The data sources the controls name, and the masters of their datasets (a query's parameter source
/// too), in their owner's order.
std::vector<TDataSource*> DataSources(const std::vector<TControl*>& controls)
{
    std::vector<TDataSource*> sources;
    std::function<void(TDataSource*)> add = [&](TDataSource* source) {
        if (!source || std::find(sources.begin(), sources.end(), source) != sources.end())
            return;
        sources.push_back(source);
        if (TDataSet* dataSet = source->DataSet())
            add(dataSet->MasterSource());
        if (auto* query = dynamic_cast<TSqlQuery*>(source->DataSet()))
            add(query->ParamSource());
    };
    for (TControl* control : controls) {
        for (const TRLPublishedProperty* property :
            TRLPublishedProperties::Instance().PropertiesOf(TRLPathObject { control, false, {} })) {
            if (property->Kind != TRLPropertyKind::Reference)
                continue;
            const QString name = property->Read(TRLPathObject { control, false, {} }).ToString();
            if (!name.isEmpty() && control->Owner())
                add(dynamic_cast<TDataSource*>(control->Owner()->FindComponent(name)));
        }
    }
    auto creationIndex = [](TDataSource* source) {
        const auto& owned = source->Owner() ? source->Owner()->Components() : std::vector<TComponent*>();
        return std::find(owned.begin(), owned.end(), source) - owned.begin();
    };
    std::stable_sort(sources.begin(), sources.end(),
        [&](TDataSource* a, TDataSource* b) { return creationIndex(a) < creationIndex(b); });
    return sources;
}

QJsonArray Tables(const std::vector<TDataSource*>& sources)
{
    QJsonArray tables;
    for (TDataSource* source : sources) {
        auto* table = dynamic_cast<TTable*>(source->DataSet());
        if (!table)
            continue;
        QJsonObject entry;
        entry.insert(u"name"_s, table->Name());
        entry.insert(u"dataSource"_s, source->Name());
        entry.insert(u"file"_s, table->TableName());
        if (!table->IndexFieldNames().isEmpty())
            entry.insert(u"indexFieldNames"_s, table->IndexFieldNames());
        if (TDataSource* master = table->MasterSource()) {
            entry.insert(u"masterSource"_s, master->Name());
            entry.insert(u"masterFields"_s, table->MasterFields());
        }
        tables.append(entry);
    }
    return tables;
}

/// A connection the layout made from a URL has no name and is kept as that URL; one the program gave
/// by name is kept as the name, so that the file never holds what the program was told.
QString ConnectionText(const TSqlConnection* connection)
{
    if (!connection)
        return {};
    return connection->Name().isEmpty() ? connection->Url() : connection->Name();
}

QJsonArray QueryFields(const TSqlQuery& query)
{
    QJsonArray fields;
    if (query.FieldsFromResult())
        return fields;
    for (int i = 0; i < query.FieldCount(); ++i) {
        const TField& field = *query.Field(i);
        QJsonObject entry;
        entry.insert(u"name"_s, field.FieldName());
        entry.insert(u"type"_s, FieldTypeIdentifier(field.DataType()));
        if (field.Size() > 0)
            entry.insert(u"size"_s, field.Size());
        fields.append(entry);
    }
    return fields;
}

QJsonArray Queries(const std::vector<TDataSource*>& sources)
{
    QJsonArray queries;
    for (TDataSource* source : sources) {
        auto* query = dynamic_cast<TSqlQuery*>(source->DataSet());
        if (!query)
            continue;
        QJsonObject entry;
        entry.insert(u"name"_s, query->Name());
        entry.insert(u"dataSource"_s, source->Name());
        entry.insert(u"connection"_s, ConnectionText(query->Connection()));
        entry.insert(u"sql"_s, query->SQL());
        QJsonObject params;
        for (const TSqlParam& param : query->Params())
            params.insert(param.Name, QJsonValue::fromVariant(param.Value));
        if (!params.isEmpty())
            entry.insert(u"params"_s, params);
        if (TDataSource* master = query->ParamSource())
            entry.insert(u"paramSource"_s, master->Name());
        if (const QJsonArray fields = QueryFields(*query); !fields.isEmpty())
            entry.insert(u"fields"_s, fields);
        queries.append(entry);
    }
    return queries;
}

} // namespace

QByteArray SaveLayout(const TRLCustomReport& report)
{
    RegisterReportProperties();
    std::vector<TControl*> controls;
    Collect(const_cast<TRLCustomReport*>(&report), controls);

    QJsonArray components;
    TComponent scratch(nullptr);
    for (TControl* control : controls) {
        TComponent* pristine = TRLReportBuilder::NewComponent(control->ClassName(), &scratch);
        QJsonObject entry;
        entry.insert(u"class"_s, control->ClassName());
        entry.insert(u"name"_s, control->Name());
        if (control->Parent())
            entry.insert(u"parent"_s, control->Parent()->Name());
        entry.insert(
            u"properties"_s, Properties(TRLPathObject(control, false), TRLPathObject(pristine, false)));
        components.append(entry);
    }
    QJsonObject layout;
    layout.insert(u"format"_s, u"QuirelReport layout"_s);
    layout.insert(u"version"_s, 1);
    const std::vector<TDataSource*> sources = DataSources(controls);
    layout.insert(u"tables"_s, Tables(sources));
    // Only a layout that reads SQL has the entry, so that every other one saves as it always did.
    if (const QJsonArray queries = Queries(sources); !queries.isEmpty())
        layout.insert(u"queries"_s, queries);
    layout.insert(u"components"_s, components);
    return QJsonDocument(layout).toJson(QJsonDocument::Indented);
}

void SaveLayoutFile(const TRLCustomReport& report, const QString& path)
{
    const QByteArray text = SaveLayout(report);
    TOutputFile file(path);
    QString reason;
    if (!file.Open(reason))
        RaiseCannotWrite(path, reason);
    if (!WriteWhole(file.Device(), text)) {
        reason = file.Device().errorString();
        file.Discard();
        RaiseCannotWrite(path, reason);
    }
    if (!file.Commit(reason))
        RaiseCannotWrite(path, reason);
}
