# The expression parser's binding to the report.
target_sources(report PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RLReportFormulas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLReportProperties.cpp
)
