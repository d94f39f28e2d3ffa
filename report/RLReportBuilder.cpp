#include "report/RLReportBuilder.h"

#include "platform/Exceptions.h"
#include "report/RLBand.h"
#include "report/RLDBImage.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLDetailGrid.h"
#include "report/RLDraw.h"
#include "report/RLGroup.h"
#include "report/RLImage.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "report/RLReportFormulas.h"
#include "report/RLSystemInfo.h"
#include "support/RLPublishedProperties.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <map>

namespace {

using TFactory = TComponent* (*)(TComponent* owner);

template<class T> TComponent* Make(TComponent* owner)
{
    return new T(owner);
}

const std::map<QString, TFactory>& Factories()
{
    static const std::map<QString, TFactory> factories {
        { QStringLiteral("TRLBand"), &Make<TRLBand> },
        { QStringLiteral("TRLDBImage"), &Make<TRLDBImage> },
        { QStringLiteral("TRLDBMemo"), &Make<TRLDBMemo> },
        { QStringLiteral("TRLDBText"), &Make<TRLDBText> },
        { QStringLiteral("TRLDetailGrid"), &Make<TRLDetailGrid> },
        { QStringLiteral("TRLDraw"), &Make<TRLDraw> },
        { QStringLiteral("TRLGroup"), &Make<TRLGroup> },
        { QStringLiteral("TRLImage"), &Make<TRLImage> },
        { QStringLiteral("TRLLabel"), &Make<TRLLabel> },
        { QStringLiteral("TRLReport"), &Make<TRLReport> },
        { QStringLiteral("TRLSystemInfo"), &Make<TRLSystemInfo> },
    };
    return factories;
}

bool IsIdentifier(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(name).hasMatch();
}

} // namespace

TRLReportBuilder::TRLReportBuilder(TComponent& owner)
    : m_owner(owner)
{
    RegisterReportProperties();
}

QStringList TRLReportBuilder::ClassNames()
{
    QStringList names;
    for (const auto& [name, factory] : Factories())
        names.append(name);
    return names;
}

TComponent* TRLReportBuilder::NewComponent(const QString& className, TComponent* owner)
{
    const auto factory = Factories().find(className);
    return factory == Factories().end() ? nullptr : factory->second(owner);
}

TComponent* TRLReportBuilder::Create(const QString& className, const QString& name, TControl* parent)
{
    Finish();
    const auto factory = Factories().find(className);
    if (factory == Factories().end())
        throw EReportError(QCoreApplication::translate("TRLLayout", "Unknown class %1").arg(className));
    if (!IsIdentifier(name))
        throw EReportError(
            QCoreApplication::translate("TRLLayout", "\"%1\" is no valid component name").arg(name));
    if (m_owner.FindComponent(name))
        throw EReportError(
            QCoreApplication::translate("TRLLayout", "There are two components named %1").arg(name));
    const bool isReport = className == QStringLiteral("TRLReport");
    if (isReport && parent)
        throw EReportError(QCoreApplication::translate("TRLLayout", "The report %1 cannot be placed on %2")
                               .arg(name, parent->Name()));
    if (!isReport && !parent)
        throw EReportError(QCoreApplication::translate("TRLLayout", "%1 has no parent").arg(name));

    TComponent* component = factory->second(&m_owner);
    m_built.push_back(component);
    m_current = component;
    component->BeginLoading();
    component->SetName(name);
    if (auto* control = dynamic_cast<TControl*>(component))
        control->SetParent(parent);
    return component;
}

TControl* TRLReportBuilder::FindControl(const QString& name) const
{
    return dynamic_cast<TControl*>(m_owner.FindComponent(name));
}

void TRLReportBuilder::Set(QStringView path, const TVariant& value)
{
    if (!m_current)
        throw EReportError(QCoreApplication::translate("TRLLayout", "No component to set %1 on").arg(path));
    TRLPathObject object { m_current, false, {} };
    const QList<QStringView> parts = path.split(u'.');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        object = PublishedObject(object, parts[i]);
        if (!object.IsValid())
            throw EReportError(QCoreApplication::translate("TRLLayout", "Unknown property %1 of %2")
                                   .arg(path, m_current->ClassName()));
    }
    const TRLPublishedProperty* property = TRLPublishedProperties::Instance().Find(object, parts.back());
    if (!property || property->Kind == TRLPropertyKind::Object)
        throw EReportError(QCoreApplication::translate("TRLLayout", "Unknown property %1 of %2")
                               .arg(path, m_current->ClassName()));
    if (!property->Write)
        throw EReportError(QCoreApplication::translate("TRLLayout", "Property %1 of %2 is read-only")
                               .arg(path, m_current->ClassName()));
    property->Write(object, value);
}

void TRLReportBuilder::Finish()
{
    TComponent* current = std::exchange(m_current, nullptr);
    if (current && current->IsLoading())
        current->EndLoading();
}

void TRLReportBuilder::Discard()
{
    m_current = nullptr;
    while (!m_built.empty()) {
        TComponent* component = m_built.back();
        m_built.pop_back();
        delete component;
    }
}
