quirel_add_test(NAME parser_tests
    SOURCES
        ParserEvaluateTest.cpp
        ParserPathsTest.cpp
        ParserTokensTest.cpp
    LIBS support)

# The report binding, over a real report.
if(TARGET report)
    quirel_add_test(NAME parser_report_tests SOURCES ParserReportTest.cpp LIBS report)
endif()
