# The spreadsheet export of the sample database's orders, end to end: the built program writes
# the files, then xlrd, LibreOffice and the tests' own compound-file reader check them.
quirel_add_test(NAME app_xls_order_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/XLSOrderTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
        ${PROJECT_SOURCE_DIR}/tests/filters/XLSTestReader.cpp
    LIBS ordemcompra_form)
target_compile_definitions(app_xls_order_tests PRIVATE ORDEMCOMPRA_EXECUTABLE="$<TARGET_FILE:ordemcompra>")
add_dependencies(app_xls_order_tests ordemcompra sampledb)
