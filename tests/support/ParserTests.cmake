quirel_add_test(NAME parser_tests
    SOURCES
        ParserEvaluateTest.cpp
        ParserPathsTest.cpp
        ParserTokensTest.cpp
    LIBS support)

# The report binding, over a real report; its sources join the report library here until
# report/CMakeLists.txt includes them itself.
if(TARGET report)
    include(${PROJECT_SOURCE_DIR}/report/FormulaSources.cmake)
    quirel_add_test(NAME parser_report_tests SOURCES ParserReportTest.cpp LIBS report)
endif()
