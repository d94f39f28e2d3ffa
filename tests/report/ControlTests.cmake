quirel_add_test(NAME controls_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/ReportTestSupport.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ControlTestSupport.cpp
        ${CMAKE_CURRENT_LIST_DIR}/LabelTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FitBoundsTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SystemInfoTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MemoTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ImageTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/DrawTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/BordersTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/BackgroundTest.cpp
    LIBS report)
