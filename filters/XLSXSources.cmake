# The XLSX output: the XLS output's grid written through libxlsxwriter.
find_package(PkgConfig REQUIRED)
find_package(ZLIB REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
target_sources(filters PRIVATE
    RLXLSXErrors.cpp
    RLXLSXFilter.cpp
    RLXLSXPackageCheck.cpp
    RLXLSXRepeatedHeader.cpp
    RLXLSXSheetSpill.cpp
    RLXLSXWriter.cpp
    RLXLSXWriterThread.cpp
    RLXLSXZipLevel.cpp
)
target_link_libraries(filters PRIVATE PkgConfig::XLSXWRITER ZLIB::ZLIB ${CMAKE_DL_LIBS})
