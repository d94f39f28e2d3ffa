#include "db/OpenDataSets.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "db/SqlQuery.h"

#include <algorithm>
#include <vector>

namespace {

class TDataSetOpener {
public:
    explicit TDataSetOpener(const TComponent& owner)
        : m_owner(owner)
    {
    }

    void Open(TDataSet* dataSet)
    {
        // A master chain that loops back is opened as far as it goes, not followed forever.
        if (dataSet->Active() || dataSet->Owner() != &m_owner
            || std::find(m_visiting.begin(), m_visiting.end(), dataSet) != m_visiting.end())
            return;
        m_visiting.push_back(dataSet);
        OpenMaster(dataSet->MasterSource());
        if (const auto* query = dynamic_cast<const TSqlQuery*>(dataSet))
            OpenMaster(query->ParamSource());
        dataSet->Open();
    }

private:
    void OpenMaster(const TDataSource* source)
    {
        if (source && source->DataSet())
            Open(source->DataSet());
    }

    const TComponent& m_owner;
    std::vector<TDataSet*> m_visiting;
};

} // namespace

void OpenDataSets(const TComponent& owner)
{
    TDataSetOpener opener(owner);
    for (TComponent* component : owner.Components()) {
        if (auto* dataSet = dynamic_cast<TDataSet*>(component))
            opener.Open(dataSet);
    }
}
