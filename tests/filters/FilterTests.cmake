quirel_add_test(NAME filters_tests
    SOURCES
        FilterTestPages.cpp
        PdfTestTools.cpp
        FilterRunTest.cpp
        PdfFilterTest.cpp
        PdfExportTest.cpp
        SpoolFilterTest.cpp
    LIBS filters)

# A private CUPS daemon and a cups-pdf queue; skipped with a message without root or packages.
quirel_add_test(NAME filters_cups_tests
    SOURCES
        FilterTestPages.cpp
        PdfTestTools.cpp
        CupsPrintTest.cpp
    LIBS filters
    LABELS cups)
