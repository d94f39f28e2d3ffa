#include "filters/RLFilterProgress.h"

namespace {
TRLFilterProgressFactory& Factory()
{
    static TRLFilterProgressFactory factory;
    return factory;
}
}

void SetFilterProgressFactory(TRLFilterProgressFactory factory)
{
    Factory() = std::move(factory);
}

const TRLFilterProgressFactory& FilterProgressFactory()
{
    return Factory();
}
