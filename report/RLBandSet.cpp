#include "report/RLBandSet.h"

#include "platform/ComponentCast.h"

TRLCustomBandSet::TRLCustomBandSet(TComponent* owner)
    : TRLCustomSite(owner)
{
}

QString TRLCustomBandSet::ClassName() const
{
    return QStringLiteral("TRLCustomBandSet");
}

void TRLCustomBandSet::BeforeSurfaceOpen()
{
    for (TControl* parent = Parent(); parent; parent = parent->Parent())
        if (auto* enclosing = ComponentCast<TRLCustomBandSet>(parent)) {
            enclosing->m_openBandSets.push_back(this);
            break;
        }
}

void TRLCustomBandSet::AfterSurfaceClose()
{
    m_openBandSets.clear();
    for (TControl* parent = Parent(); parent; parent = parent->Parent())
        if (auto* enclosing = ComponentCast<TRLCustomBandSet>(parent)) {
            std::erase(enclosing->m_openBandSets, this);
            break;
        }
}
