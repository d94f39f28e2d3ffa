// Reading a layout file into a report: checked as it is built, undone on the first fault.
#include "db/DataSource.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "db/SqlUrl.h"
#include "db/Table.h"
#include "platform/Exceptions.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "report/RLReportBuilder.h"
#include "report/RLReportFormulas.h"
#include "support/JsonPositions.h"
#include "support/RLExpressionParser.h"
#include "support/RLPublishedProperties.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using namespace Qt::StringLiterals;

/// A fault at one place of the file; the loader adds the file name and the position.
struct TLayoutFault {
    QString pointer;
    QString message;
};

[[noreturn]] void Fail(const QString& pointer, const QString& message)
{
    throw TLayoutFault { pointer, message };
}

QString KindName(TRLPropertyKind kind)
{
    switch (kind) {
    case TRLPropertyKind::Integer:
        return QCoreApplication::translate("TRLLayout", "a whole number");
    case TRLPropertyKind::Float:
        return QCoreApplication::translate("TRLLayout", "a number");
    case TRLPropertyKind::Enumeration:
        return QCoreApplication::translate("TRLLayout", "a name");
    case TRLPropertyKind::Set:
        return QCoreApplication::translate("TRLLayout", "a list of names");
    case TRLPropertyKind::Object:
        return QCoreApplication::translate("TRLLayout", "an object");
    case TRLPropertyKind::String:
    case TRLPropertyKind::Reference:
        break;
    }
    return QCoreApplication::translate("TRLLayout", "a text");
}

/// The JSON value as the property's setter takes it; none when the JSON type does not fit.
std::optional<TVariant> PropertyValue(TRLPropertyKind kind, const QJsonValue& value)
{
    switch (kind) {
    case TRLPropertyKind::Integer: {
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number) || std::abs(number) > 9007199254740992.0)
            return std::nullopt;
        return TVariant(qint64(number));
    }
    case TRLPropertyKind::Float:
        if (!value.isDouble())
            return std::nullopt;
        return TVariant(value.toDouble());
    case TRLPropertyKind::Enumeration:
        if (value.isBool())
            return TVariant(value.toBool());
        if (!value.isString())
            return std::nullopt;
        return TVariant(value.toString());
    case TRLPropertyKind::Set: {
        if (!value.isArray())
            return std::nullopt;
        QStringList names;
        for (const QJsonValue& element : value.toArray()) {
            if (!element.isString())
                return std::nullopt;
            names.append(element.toString());
        }
        return TVariant(u'[' + names.join(u',') + u']');
    }
    case TRLPropertyKind::String:
    case TRLPropertyKind::Reference:
        if (!value.isString())
            return std::nullopt;
        return TVariant(value.toString());
    case TRLPropertyKind::Object:
        break;
    }
    return std::nullopt;
}

/// "file:line:column: message", as compilers place their messages.
QString PlaceMessage(const QString& fileName, TTextPosition position, const QString& message)
{
    return QStringLiteral("%1:%2:%3: %4")
        .arg(fileName, QString::number(position.Line), QString::number(position.Column), message);
}

class TLayoutLoader {
public:
    TLayoutLoader(TComponent& owner, QString databaseName, QString baseDirectory)
        : m_owner(owner)
        , m_builder(owner)
        , m_databaseName(std::move(databaseName))
        , m_baseDirectory(std::move(baseDirectory))
    {
    }

    TRLCustomReport* Load(const QJsonObject& layout)
    {
        CheckHeader(layout);
        LoadTables(layout.value(u"tables"_s), u"/tables"_s);
        LoadQueries(layout.value(u"queries"_s), u"/queries"_s);
        LinkDataSets();
        const QJsonValue components = layout.value(u"components"_s);
        if (!components.isArray() || components.toArray().isEmpty())
            Fail(u"/components"_s, QCoreApplication::translate("TRLLayout", "The layout has no components"));
        const QJsonArray list = components.toArray();
        TRLCustomReport* report = nullptr;
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString at = TJsonPositions::Child(u"/components"_s, i);
            TComponent* component = LoadComponent(list[i], at);
            if (auto* loaded = dynamic_cast<TRLCustomReport*>(component)) {
                if (report)
                    Fail(at,
                        QCoreApplication::translate(
                            "TRLLayout", "%1: a layout holds one report, and %2 is already it")
                            .arg(loaded->Name(), report->Name()));
                report = loaded;
            }
        }
        m_builder.Finish();
        for (const THolderLink& link : m_holderLinks) {
            try {
                link.property->Write(TRLPathObject { link.component, false, {} }, link.value);
            } catch (const EReportError& error) {
                Fail(link.pointer, QStringLiteral("%1: %2").arg(link.component->Name(), error.Message()));
            }
        }
        if (!report)
            Fail(u"/components/0"_s,
                QCoreApplication::translate(
                    "TRLLayout", "The first component of a layout must be the report"));
        // Formulas (DataFormula, KeyFormula) evaluate, with the layout's names, through a parser
        // of the owner's.
        auto* parser = new TRLExpressionParser(&m_owner);
        m_created.push_back(parser);
        SetReportExpressionParser(*report, parser);
        return report;
    }

    /// Deletes what was built, newest first: controls, then the datasets, their data sources and
    /// connections.
    void Discard()
    {
        m_builder.Discard();
        while (!m_created.empty()) {
            delete m_created.back();
            m_created.pop_back();
        }
    }

private:
    void CheckHeader(const QJsonObject& layout)
    {
        if (layout.value(u"format"_s).toString() != u"QuirelReport layout"_s)
            Fail(u"/format"_s,
                QCoreApplication::translate(
                    "TRLLayout", "Not a QuirelReport layout (\"format\" must be \"QuirelReport layout\")"));
        if (layout.value(u"version"_s).toInt(0) != 1)
            Fail(u"/version"_s,
                QCoreApplication::translate(
                    "TRLLayout", "Layout version %1 is not supported; this program reads version 1")
                    .arg(layout.value(u"version"_s).toVariant().toString()));
        static const QStringList known { u"format"_s, u"version"_s, u"tables"_s, u"queries"_s,
            u"components"_s };
        CheckEntries(layout, known, QString());
    }

    static QString Text(const QJsonObject& entry, const QString& key, const QString& pointer, bool required)
    {
        const QJsonValue value = entry.value(key);
        if (value.isUndefined() && !required)
            return {};
        if (!value.isString() || (required && value.toString().isEmpty()))
            Fail(TJsonPositions::Child(pointer, key),
                QCoreApplication::translate("TRLLayout", "\"%1\" must be a non-empty text").arg(key));
        return value.toString();
    }

    void LoadTables(const QJsonValue& tables, const QString& pointer)
    {
        if (tables.isUndefined())
            return;
        if (!tables.isArray())
            Fail(pointer, QCoreApplication::translate("TRLLayout", "\"tables\" must be a list"));
        const QJsonArray list = tables.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString at = TJsonPositions::Child(pointer, i);
            if (!list[i].isObject())
                Fail(at, QCoreApplication::translate("TRLLayout", "A table must be an object"));
            const QJsonObject entry = list[i].toObject();
            static const QStringList known { u"name"_s, u"dataSource"_s, u"file"_s, u"indexFieldNames"_s,
                u"masterSource"_s, u"masterFields"_s };
            CheckEntries(entry, known, at);
            const QString name = Text(entry, u"name"_s, at, true);
            const QString sourceName = Text(entry, u"dataSource"_s, at, true);
            const QString file = Text(entry, u"file"_s, at, true);
            const QString index = Text(entry, u"indexFieldNames"_s, at, false);
            const QString master = Text(entry, u"masterSource"_s, at, false);
            const QString masterFields = Text(entry, u"masterFields"_s, at, false);
            // The program binds its own tables; a layout's tables serve where it has none.
            if (m_owner.FindComponent(sourceName))
                continue;
            CheckNameIsFree(name, at);
            auto* table = new TTable(&m_owner);
            m_created.push_back(table);
            auto* source = new TDataSource(&m_owner);
            m_created.push_back(source);
            try {
                table->SetName(name);
                source->SetName(sourceName);
                table->SetDatabaseName(m_databaseName);
                table->SetTableName(file);
                table->SetIndexFieldNames(index);
                table->SetMasterFields(masterFields);
            } catch (const EReportError& error) {
                Fail(at, error.Message());
            }
            source->SetDataSet(table);
            if (!master.isEmpty())
                m_links.push_back({ table, master, TJsonPositions::Child(at, u"masterSource"_s) });
        }
    }

    void LoadQueries(const QJsonValue& queries, const QString& pointer)
    {
        if (queries.isUndefined())
            return;
        if (!queries.isArray())
            Fail(pointer, QCoreApplication::translate("TRLLayout", "\"queries\" must be a list"));
        const QJsonArray list = queries.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString at = TJsonPositions::Child(pointer, i);
            if (!list[i].isObject())
                Fail(at, QCoreApplication::translate("TRLLayout", "A query must be an object"));
            const QJsonObject entry = list[i].toObject();
            static const QStringList known { u"name"_s, u"dataSource"_s, u"connection"_s, u"sql"_s,
                u"params"_s, u"paramSource"_s, u"fields"_s };
            CheckEntries(entry, known, at);
            const QString name = Text(entry, u"name"_s, at, true);
            const QString sourceName = Text(entry, u"dataSource"_s, at, true);
            const QString connectionText = Text(entry, u"connection"_s, at, true);
            const QString sql = Text(entry, u"sql"_s, at, true);
            const QString paramSource = Text(entry, u"paramSource"_s, at, false);
            if (m_owner.FindComponent(sourceName))
                continue;
            CheckNameIsFree(name, at);
            TSqlConnection* connection
                = Connection(name, connectionText, TJsonPositions::Child(at, u"connection"_s));
            auto* query = new TSqlQuery(&m_owner);
            m_created.push_back(query);
            auto* source = new TDataSource(&m_owner);
            m_created.push_back(source);
            query->SetName(name);
            source->SetName(sourceName);
            query->SetConnection(connection);
            query->SetSQL(sql);
            LoadParams(*query, entry.value(u"params"_s), TJsonPositions::Child(at, u"params"_s));
            LoadFields(*query, entry.value(u"fields"_s), TJsonPositions::Child(at, u"fields"_s));
            source->SetDataSet(query);
            if (!paramSource.isEmpty()) {
                m_links.push_back({ query, paramSource, TJsonPositions::Child(at, u"paramSource"_s) });
                continue;
            }
            for (const QString& param : query->ParamNames()) {
                if (!FixedParam(*query, param))
                    Fail(TJsonPositions::Child(at, u"sql"_s),
                        QCoreApplication::translate("TRLLayout",
                            "%1: the parameter :%2 has no value: give it in \"params\", or name a "
                            "\"paramSource\" with a field %2")
                            .arg(name, param));
            }
        }
    }

    /// A URL's connection, shared by the queries that give the same URL, or the owner's connection of
    /// that name.
    TSqlConnection* Connection(const QString& queryName, const QString& text, const QString& pointer)
    {
        if (!IsDatabaseUrl(text)) {
            auto* named = dynamic_cast<TSqlConnection*>(m_owner.FindComponent(text));
            if (!named)
                Fail(pointer,
                    QCoreApplication::translate("TRLLayout",
                        "%1: \"%2\" is neither a database URL nor the name of a connection the program "
                        "has")
                        .arg(queryName, HideUrlPassword(text)));
            return named;
        }
        if (TSqlConnection* shared = m_urlConnections.value(text))
            return shared;
        try {
            ParseSqlUrl(text);
        } catch (const EReportError& error) {
            Fail(pointer, QStringLiteral("%1: %2").arg(queryName, error.Message()));
        }
        auto* connection = new TSqlConnection(&m_owner);
        m_created.push_back(connection);
        connection->SetUrl(text);
        connection->SetBaseDirectory(m_baseDirectory);
        m_urlConnections.insert(text, connection);
        return connection;
    }

    static void LoadParams(TSqlQuery& query, const QJsonValue& params, const QString& pointer)
    {
        if (params.isUndefined())
            return;
        if (!params.isObject())
            Fail(pointer,
                QCoreApplication::translate("TRLLayout", "%1: \"params\" must be an object")
                    .arg(query.Name()));
        const QJsonObject values = params.toObject();
        const QStringList names = query.ParamNames();
        for (auto it = values.begin(); it != values.end(); ++it) {
            const QString at = TJsonPositions::Child(pointer, it.key());
            if (!names.contains(it.key(), Qt::CaseInsensitive))
                Fail(at,
                    QCoreApplication::translate("TRLLayout", "%1: the SQL has no parameter :%2")
                        .arg(query.Name(), it.key()));
            if (it.value().isArray() || it.value().isObject())
                Fail(at,
                    QCoreApplication::translate(
                        "TRLLayout", "%1: the parameter :%2 must be a text, a number, true, false or null")
                        .arg(query.Name(), it.key()));
            query.SetParam(it.key(), it.value().toVariant());
        }
    }

    static void LoadFields(TSqlQuery& query, const QJsonValue& fields, const QString& pointer)
    {
        if (fields.isUndefined())
            return;
        if (!fields.isArray())
            Fail(pointer,
                QCoreApplication::translate("TRLLayout", "%1: \"fields\" must be a list").arg(query.Name()));
        const QJsonArray list = fields.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString at = TJsonPositions::Child(pointer, i);
            if (!list[i].isObject())
                Fail(at, QCoreApplication::translate("TRLLayout", "A field must be an object"));
            const QJsonObject entry = list[i].toObject();
            static const QStringList known { u"name"_s, u"type"_s, u"size"_s };
            CheckEntries(entry, known, at);
            const QString name = Text(entry, u"name"_s, at, true);
            const QString typeName = Text(entry, u"type"_s, at, true);
            const std::optional<TFieldType> type = FieldTypeOfIdentifier(typeName);
            if (!type)
                Fail(TJsonPositions::Child(at, u"type"_s),
                    QCoreApplication::translate("TRLLayout",
                        "%1: field %2: unknown type \"%3\" (ftString, ftInteger, ftFloat, ftDate, ftMemo...)")
                        .arg(query.Name(), name, typeName));
            const QJsonValue size = entry.value(u"size"_s);
            const double sizeValue = size.toDouble(0);
            if (!size.isUndefined()
                && (!size.isDouble() || sizeValue != std::trunc(sizeValue) || sizeValue < 0
                    || sizeValue > std::numeric_limits<int>::max()))
                Fail(TJsonPositions::Child(at, u"size"_s),
                    QCoreApplication::translate(
                        "TRLLayout", "%1: field %2: \"size\" must be a whole number from 0")
                        .arg(query.Name(), name));
            try {
                query.AddField(name, *type, int(sizeValue));
            } catch (const EReportError& error) {
                Fail(at, error.Message());
            }
        }
    }

    static bool FixedParam(const TSqlQuery& query, const QString& name)
    {
        return std::any_of(query.Params().begin(), query.Params().end(),
            [&](const TSqlParam& param) { return param.Name.compare(name, Qt::CaseInsensitive) == 0; });
    }

    /// Masters of tables and parameter sources of queries, once every data source of the layout
    /// exists, so that a file may name them in any order.
    void LinkDataSets()
    {
        for (const TDataLink& link : m_links) {
            auto* source = dynamic_cast<TDataSource*>(m_owner.FindComponent(link.source));
            if (!source)
                Fail(link.pointer,
                    QCoreApplication::translate("TRLLayout", "No data source named %1").arg(link.source));
            auto* query = dynamic_cast<TSqlQuery*>(link.dataSet);
            if (!query) {
                link.dataSet->SetMasterSource(source);
                continue;
            }
            query->SetParamSource(source);
            // A master whose fields are already known is checked now; one typed from its result only
            // when it runs.
            const TDataSet* master = source->DataSet();
            if (!master || master->FieldCount() == 0)
                continue;
            for (const QString& param : query->ParamNames()) {
                if (!FixedParam(*query, param) && !master->FindField(param))
                    Fail(link.pointer,
                        QCoreApplication::translate("TRLLayout",
                            "%1: the parameter :%2 takes its value from %3, which has no field %2")
                            .arg(query->Name(), param, source->Name()));
            }
        }
    }

    static void CheckEntries(const QJsonObject& entry, const QStringList& known, const QString& pointer)
    {
        for (auto it = entry.begin(); it != entry.end(); ++it) {
            if (!known.contains(it.key()))
                Fail(TJsonPositions::Child(pointer, it.key()),
                    QCoreApplication::translate("TRLLayout", "Unknown entry \"%1\"").arg(it.key()));
        }
    }

    void CheckNameIsFree(const QString& name, const QString& pointer) const
    {
        if (m_owner.FindComponent(name))
            Fail(TJsonPositions::Child(pointer, u"name"_s),
                QCoreApplication::translate("TRLLayout", "There are two components named %1").arg(name));
    }

    TComponent* LoadComponent(const QJsonValue& value, const QString& pointer)
    {
        if (!value.isObject())
            Fail(pointer, QCoreApplication::translate("TRLLayout", "A component must be an object"));
        const QJsonObject entry = value.toObject();
        static const QStringList known { u"class"_s, u"name"_s, u"parent"_s, u"properties"_s };
        CheckEntries(entry, known, pointer);
        const QString className = Text(entry, u"class"_s, pointer, true);
        const QString name = Text(entry, u"name"_s, pointer, true);
        const QString parentName = Text(entry, u"parent"_s, pointer, false);
        TControl* parent = nullptr;
        if (!parentName.isEmpty()) {
            parent = m_builder.FindControl(parentName);
            if (!parent)
                Fail(TJsonPositions::Child(pointer, u"parent"_s),
                    QCoreApplication::translate("TRLLayout", "%1: no control named %2 to place it on")
                        .arg(name, parentName));
        }
        TComponent* component = nullptr;
        try {
            component = m_builder.Create(className, name, parent);
        } catch (const EReportError& error) {
            Fail(TJsonPositions::Child(pointer, u"class"_s), error.Message());
        }
        const QJsonValue properties = entry.value(u"properties"_s);
        if (!properties.isUndefined() && !properties.isObject())
            Fail(TJsonPositions::Child(pointer, u"properties"_s),
                QCoreApplication::translate("TRLLayout", "%1: \"properties\" must be an object").arg(name));
        SetProperties(TRLPathObject { component, false, {} }, QString(), properties.toObject(),
            TJsonPositions::Child(pointer, u"properties"_s));
        return component;
    }

    /// Writes the properties in the table's order, whatever the file's order, so that bounds come
    /// before what depends on them and a parent's font before ParentFont.
    void SetProperties(
        const TRLPathObject& object, const QString& path, const QJsonObject& values, const QString& pointer)
    {
        const QString name = object.Component->Name();
        const std::vector<const TRLPublishedProperty*> properties
            = TRLPublishedProperties::Instance().PropertiesOf(object);
        for (auto it = values.begin(); it != values.end(); ++it) {
            const auto known
                = std::find_if(properties.begin(), properties.end(), [&](const TRLPublishedProperty* p) {
                      return p->Name == it.key() && (p->Write || p->Kind == TRLPropertyKind::Object)
                          && !(object.IsComponent() && p->Name == u"Name"_s);
                  });
            if (known == properties.end()) {
                Fail(TJsonPositions::Child(pointer, it.key()),
                    QCoreApplication::translate("TRLLayout", "%1: unknown property %2 of %3")
                        .arg(name, path + it.key(), object.ClassName()));
            }
        }
        for (const TRLPublishedProperty* property : properties) {
            const QJsonValue value = values.value(property->Name);
            if (value.isUndefined())
                continue;
            const QString at = TJsonPositions::Child(pointer, property->Name);
            const QString propertyPath = path + property->Name;
            if (property->Kind == TRLPropertyKind::Object) {
                const TRLPathObject target = property->Target(object);
                if (!value.isObject() || !target.IsValid() || target.IsComponent()) {
                    Fail(at,
                        QCoreApplication::translate("TRLLayout", "%1: property %2 must be %3")
                            .arg(name, propertyPath, KindName(property->Kind)));
                }
                SetProperties(target, propertyPath + u'.', value.toObject(), at);
                continue;
            }
            const std::optional<TVariant> converted = PropertyValue(property->Kind, value);
            if (!converted)
                Fail(at,
                    QCoreApplication::translate("TRLLayout", "%1: property %2 must be %3")
                        .arg(name, propertyPath, KindName(property->Kind)));
            // A holder may come later in the file than the controls it holds.
            if (object.IsComponent() && property->Kind == TRLPropertyKind::Reference
                && (property->Name == u"Holder"_s || property->Name == u"SecondHolder"_s)) {
                m_holderLinks.push_back({ object.Component, property, *converted, at });
                continue;
            }
            try {
                m_builder.Set(propertyPath, *converted);
            } catch (const EReportError& error) {
                Fail(at, QStringLiteral("%1: %2").arg(name, error.Message()));
            }
        }
    }

    struct THolderLink {
        TComponent* component;
        const TRLPublishedProperty* property;
        TVariant value;
        QString pointer;
    };

    struct TDataLink {
        TDataSet* dataSet;
        QString source;
        QString pointer;
    };

    TComponent& m_owner;
    TRLReportBuilder m_builder;
    std::vector<THolderLink> m_holderLinks;
    QString m_databaseName;
    /// Where a relative SQLite path of the layout is read from: the layout file's folder.
    QString m_baseDirectory;
    std::vector<TComponent*> m_created;
    std::vector<TDataLink> m_links;
    QHash<QString, TSqlConnection*> m_urlConnections;
};

/// The folder of a layout file; none for a Qt resource, whose folder no database is in.
QString LayoutDirectory(const QString& fileName)
{
    if (fileName.isEmpty() || fileName.startsWith(u':'))
        return {};
    return QFileInfo(fileName).absolutePath();
}

} // namespace

TRLCustomReport* LoadLayout(
    TComponent& owner, const QByteArray& json, const QString& fileName, const QString& databaseName)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const TTextPosition position = TextPositionAt(json, parseError.offset);
        throw EReportError(PlaceMessage(fileName, position, parseError.errorString()));
    }
    TLayoutLoader loader(owner, databaseName, LayoutDirectory(fileName));
    try {
        if (!document.isObject())
            Fail(QString(),
                QCoreApplication::translate(
                    "TRLLayout", "Not a QuirelReport layout (\"format\" must be \"QuirelReport layout\")"));
        return loader.Load(document.object());
    } catch (const TLayoutFault& fault) {
        loader.Discard();
        const TTextPosition position = TJsonPositions(json).At(fault.pointer);
        throw EReportError(PlaceMessage(fileName, position, fault.message));
    } catch (...) {
        loader.Discard();
        throw;
    }
}

TRLCustomReport* LoadLayoutFile(TComponent& owner, const QString& path, const QString& databaseName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EReportError(QCoreApplication::translate("TRLLayout", "Cannot read layout %1: %2")
                               .arg(path, file.errorString()));
    return LoadLayout(owner, file.readAll(), path, databaseName);
}
