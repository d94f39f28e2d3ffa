# The program end to end: the purchase order prepared in-process through the form, its pages
# against golden dumps, the creation handler, and the built executable's command line.
quirel_add_test(NAME app_program_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SampleOrders.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PageDump.cpp
        ${CMAKE_CURRENT_LIST_DIR}/OrderPagesTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FormCreateTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/NumberHandlersTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    LIBS ordemcompra_form sampledb_content)
target_compile_definitions(app_program_tests PRIVATE ORDEMCOMPRA_EXECUTABLE="$<TARGET_FILE:ordemcompra>")
add_dependencies(app_program_tests ordemcompra)
