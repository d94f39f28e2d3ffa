quirel_add_test(NAME parser_tests
    SOURCES
        ParserEvaluateTest.cpp
        ParserPathsTest.cpp
        ParserTokensTest.cpp
    LIBS support)
