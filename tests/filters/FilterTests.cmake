quirel_add_test(NAME filters_tests
    SOURCES
        FilterTestPages.cpp
        PdfTestTools.cpp
        FilterRunTest.cpp
        FullDiskTest.cpp
        PdfDocumentInfoTest.cpp
        PdfFilterTest.cpp
        PdfExportTest.cpp
        SpoolFilterTest.cpp
    LIBS filters)

# A private CUPS daemon and a cups-pdf queue; skipped with a message without root or packages.
# The cases share the daemon's output folder, so they run one at a time.
quirel_add_test(NAME filters_cups_tests
    SOURCES
        FilterTestPages.cpp
        PdfTestTools.cpp
        CupsPrintTest.cpp
    LIBS filters
    LABELS cups
    LOCK cups)
# One case prints an order of the bundled sample database through the built program.
target_compile_definitions(filters_cups_tests PRIVATE ORDEMCOMPRA_EXECUTABLE="$<TARGET_FILE:ordemcompra>")
add_dependencies(filters_cups_tests ordemcompra sampledb)
