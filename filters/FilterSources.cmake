target_sources(filters PRIVATE
    RLFilterProgress.cpp
    RLFilters.cpp
    RLSpoolFilter.cpp
)
