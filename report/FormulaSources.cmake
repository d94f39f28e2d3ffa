# The expression parser's binding to the report. Guarded, because the parser's report tests
# include it too while report/CMakeLists.txt does not yet.
include_guard(GLOBAL)
target_sources(report PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RLReportFormulas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLReportProperties.cpp
)
