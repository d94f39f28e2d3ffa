target_sources(report PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RLCustomMultiLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLDBImage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLDBMemo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLDBText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLDataTextControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLDraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLEditMask.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLFieldBinding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLImage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLMemoLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLSystemInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RLTextCodes.cpp
)
