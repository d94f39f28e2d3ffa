# The built program writing the sample orders as PDF, read back by qpdf, pdfinfo and pdftotext.
quirel_add_test(NAME app_pdf_order_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/PdfOrderTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
        ${PROJECT_SOURCE_DIR}/tests/filters/PdfTestTools.cpp
    LIBS ordemcompra_tables)
target_compile_definitions(app_pdf_order_tests PRIVATE ORDEMCOMPRA_EXECUTABLE="$<TARGET_FILE:ordemcompra>")
add_dependencies(app_pdf_order_tests ordemcompra sampledb)
