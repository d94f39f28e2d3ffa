#pragma once

#include "report/RLCustomSite.h"

#include <vector>

/// A site that holds bands: bands, detail grids and pagers derive from it.
class TRLCustomBandSet : public TRLCustomSite {
public:
    explicit TRLCustomBandSet(TComponent* owner);
    QString ClassName() const override;

    /// Band sets whose surfaces are open inside this one.
    const std::vector<TRLCustomBandSet*>& OpenBandSets() const { return m_openBandSets; }

protected:
    void BeforeSurfaceOpen() override;
    void AfterSurfaceClose() override;

private:
    std::vector<TRLCustomBandSet*> m_openBandSets;
};
