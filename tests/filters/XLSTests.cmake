quirel_add_test(NAME xls_tests
    SOURCES
        XLSCompoundFileTest.cpp
        XLSFileTest.cpp
        XLSGridTest.cpp
        XLSRealComponentsTest.cpp
        XLSRecordWriterTest.cpp
        XLSTestPages.cpp
        XLSTestReader.cpp
        XLSWorksheetTest.cpp
        XLSXWriterTest.cpp
    LIBS filters)
