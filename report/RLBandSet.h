#pragma once

#include "report/RLCustomSite.h"

#include <vector>

/// A site that holds bands: bands, detail grids and pagers derive from it.
class TRLCustomBandSet : public TRLCustomSite {
public:
    /// Deleted by `owner`.
    explicit TRLCustomBandSet(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Band sets whose surfaces are open inside this one.
    const std::vector<TRLCustomBandSet*>& OpenBandSets() const { return m_openBandSets; }

protected:
    /// @cond ENGINE
    void BeforeSurfaceOpen() override;
    void AfterSurfaceClose() override;
    /// @endcond

private:
    std::vector<TRLCustomBandSet*> m_openBandSets;
};
