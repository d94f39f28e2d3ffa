#include "report/RLReportFormulas.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLGroup.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "support/RLExpressionParser.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace {

/// Joins one report to one parser and unhooks both when either goes.
class TRLFormulaBinding : public TComponent {
public:
    TRLFormulaBinding(TRLCustomReport& report, TRLExpressionParser& parser);

    TRLCustomReport& Report() const { return *m_report; }
    TRLExpressionParser& Parser() const { return *m_parser; }
    TRLParserResolvers Resolvers() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TVariant FieldValue(const QString& name) const;

    TRLCustomReport* m_report;
    TRLExpressionParser* m_parser;
};

std::vector<std::unique_ptr<TRLFormulaBinding>>& Bindings()
{
    static std::vector<std::unique_ptr<TRLFormulaBinding>> bindings;
    return bindings;
}

TRLFormulaBinding* BindingOf(const TRLCustomReport& report)
{
    for (const auto& binding : Bindings()) {
        if (&binding->Report() == &report)
            return binding.get();
    }
    return nullptr;
}

/// Drops the binding; the parser keeps serving the reports still bound to it. `gone` is the side
/// being destroyed (its own part is already gone, so it must not be touched), or none.
void Unbind(TRLFormulaBinding* binding, const TComponent* gone)
{
    auto& bindings = Bindings();
    auto it = std::find_if(
        bindings.begin(), bindings.end(), [binding](const auto& b) { return b.get() == binding; });
    if (it == bindings.end())
        return;
    std::unique_ptr<TRLFormulaBinding> ended = std::move(*it);
    bindings.erase(it);
    TRLCustomReport& report = ended->Report();
    TRLExpressionParser& parser = ended->Parser();
    if (gone != &report) {
        report.RemoveFreeNotification(ended.get());
        report.ExpressionParser = nullptr;
    }
    if (gone == &parser)
        return;
    parser.RemoveFreeNotification(ended.get());
    parser.ClearResolvers();
    for (const auto& other : bindings) {
        if (&other->Parser() == &parser) {
            parser.SetResolvers(other->Resolvers());
            break;
        }
    }
}

TDataSource* DataSourceOf(TControl* control)
{
    if (auto* text = dynamic_cast<TRLCustomDBText*>(control))
        return text->DataSource();
    if (auto* memo = dynamic_cast<TRLCustomDBMemo*>(control))
        return memo->DataSource();
    if (auto* skipper = dynamic_cast<TRLCustomSkipper*>(control))
        return skipper->DataSource();
    return nullptr;
}

TVariant FieldVariant(const TField& field)
{
    return field.IsNull() ? TVariant::Null() : ToVariant(field.Value());
}

TRLPathObject FindReportMember(const TRLPathObject& object, const QString& name)
{
    if (!object.IsComponent())
        return {};
    for (TComponent* component : object.Component->Components()) {
        if (name.compare(component->Name(), Qt::CaseInsensitive) == 0)
            return { component, false };
        const auto* control = dynamic_cast<TRLCustomControl*>(component);
        if (control && name.compare(control->FriendlyName(), Qt::CaseInsensitive) == 0)
            return { component, false };
    }
    return {};
}

TVariant GetReportMemberValue(const TRLPathObject& object, const QString& property)
{
    if (object.IsFont) {
        const TFont& font = static_cast<TControl*>(object.Component)->Font();
        return TVariant(font.Name + u' ' + QString::number(font.Size()));
    }
    if (!object.IsComponent())
        return {};
    TComponent* component = object.Component;
    if (auto* source = dynamic_cast<TDataSource*>(component))
        component = source->DataSet();
    if (auto* dataSet = dynamic_cast<TDataSet*>(component)) {
        const TField* field = property.isEmpty() ? nullptr : dataSet->FindField(property);
        return field ? FieldVariant(*field) : TVariant();
    }
    if (auto* control = dynamic_cast<TRLCustomControl*>(component))
        return ToVariant(control->GetValueVariant(property));
    return {};
}

bool SetReportMemberValue(const TRLPathObject& object, const QString& property, const TVariant& value)
{
    auto* control = object.IsComponent() ? dynamic_cast<TRLCustomControl*>(object.Component) : nullptr;
    if (!control)
        return false;
    QVariant offered = ToQVariant(value);
    return control->ResolveAttribute(property, offered);
}

TRLFormulaBinding::TRLFormulaBinding(TRLCustomReport& report, TRLExpressionParser& parser)
    : TComponent(nullptr)
    , m_report(&report)
    , m_parser(&parser)
{
    report.FreeNotification(this);
    parser.FreeNotification(this);
}

void TRLFormulaBinding::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && (component == m_report || component == m_parser))
        Unbind(this, component);
}

TRLParserResolvers TRLFormulaBinding::Resolvers() const
{
    TRLParserResolvers resolvers;
    resolvers.Identifier = [this](const QString& name, const TVariant&) { return FieldValue(name); };
    resolvers.Token = [](QString&, TRLParserTokenKind&) {};
    resolvers.FindMember = FindReportMember;
    resolvers.SetMemberValue = SetReportMemberValue;
    resolvers.GetMemberValue = GetReportMemberValue;
    return resolvers;
}

TVariant TRLFormulaBinding::FieldValue(const QString& name) const
{
    for (TControl* control = m_report->FormulaObject(); control; control = control->Parent()) {
        const TDataSource* source = DataSourceOf(control);
        if (!source || !source->DataSet())
            continue;
        if (const TField* field = source->DataSet()->FindField(name))
            return FieldVariant(*field);
    }
    return {};
}

} // namespace

void SetReportExpressionParser(TRLCustomReport& report, TRLExpressionParser* parser)
{
    TRLFormulaBinding* previous = BindingOf(report);
    if (previous && &previous->Parser() == parser)
        return;
    if (previous)
        Unbind(previous, nullptr);
    if (!parser)
        return;
    RegisterReportProperties();
    auto binding = std::make_unique<TRLFormulaBinding>(report, *parser);
    TRLFormulaBinding* bound = binding.get();
    Bindings().push_back(std::move(binding));
    parser->SetResolvers(bound->Resolvers());
    report.ExpressionParser = [bound](TRLCustomControl&, const QString& formula) {
        // A parser shared by several reports answers with the resolvers of the one evaluating.
        bound->Parser().SetResolvers(bound->Resolvers());
        return ToQVariant(bound->Parser().Evaluate(formula));
    };
}

TRLExpressionParser* ReportExpressionParser(const TRLCustomReport& report)
{
    const TRLFormulaBinding* binding = BindingOf(report);
    return binding ? &binding->Parser() : nullptr;
}

TVariant ToVariant(const QVariant& value)
{
    if (!value.isValid())
        return {};
    if (value.isNull())
        return TVariant::Null();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return TVariant(value.toBool());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return TVariant(value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return TVariant(value.toDouble());
    case QMetaType::QDate:
        return TVariant::FromDateTime(value.toDate().startOfDay());
    case QMetaType::QDateTime:
        return TVariant::FromDateTime(value.toDateTime());
    case QMetaType::QTime:
        return TVariant::FromDateTime(ToDateTimeValue(QDateTime(QDate(1899, 12, 30), value.toTime())));
    case QMetaType::QByteArray:
        return TVariant(QString::fromLatin1(value.toByteArray()));
    case QMetaType::QVariantList: {
        std::vector<TVariant> elements;
        for (const QVariant& element : value.toList())
            elements.push_back(ToVariant(element));
        return TVariant::Array(std::move(elements));
    }
    default:
        break;
    }
    return TVariant(value.toString());
}

QString FormulaValueText(const QVariant& value)
{
    return ToVariant(value).ToString();
}

QVariant ToQVariant(const TVariant& value)
{
    switch (value.Type()) {
    case TVariantType::Empty:
        return {};
    case TVariantType::Null:
        return QVariant::fromValue(nullptr);
    case TVariantType::Boolean:
        return value.ToBool();
    case TVariantType::Integer:
        return qlonglong(value.ToInt());
    case TVariantType::Double:
        return value.ToDouble();
    case TVariantType::String:
        return value.ToString();
    case TVariantType::Date:
        return FromDateTimeValue(value.ToDateTime());
    case TVariantType::Array:
        break;
    }
    QVariantList elements;
    for (const TVariant& element : value.Elements())
        elements.append(ToQVariant(element));
    return elements;
}
