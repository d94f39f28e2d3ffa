# Installs the report library for other programs: one shared library per layer, the headers under
# include/QuirelReport/<layer>/, a CMake package (QuirelReport::QuirelReport and one target per
# layer) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUIREL_LIBRARY_LAYERS platform support db pages report filters preview)
set(QUIREL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/QuirelReport)
set(QUIREL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuirelReport)

# Until 1.0 a minor version may change the binary interface, so it is part of the SONAME.
set(QUIREL_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})

set(pkgconfig_libs)
foreach(layer IN LISTS QUIREL_LIBRARY_LAYERS)
    string(SUBSTRING ${layer} 0 1 first)
    string(TOUPPER ${first} first)
    string(SUBSTRING ${layer} 1 -1 rest)
    set_target_properties(${layer} PROPERTIES
        OUTPUT_NAME quirel-${layer}
        EXPORT_NAME ${first}${rest}
        VERSION ${PROJECT_VERSION}
        SOVERSION ${QUIREL_SOVERSION}
        # Every symbol is exported; no <target>_EXPORTS macro is read, and leaving it out keeps the
        # compile lines those of the static build.
        DEFINE_SYMBOL ""
        INSTALL_RPATH "$ORIGIN")
    # In the tree the layers include each other from the source root; installed, from here.
    target_include_directories(${layer} INTERFACE $<INSTALL_INTERFACE:${QUIREL_INSTALL_INCLUDEDIR}>)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${layer}/
        DESTINATION ${QUIREL_INSTALL_INCLUDEDIR}/${layer}
        COMPONENT Development
        FILES_MATCHING PATTERN "*.h" PATTERN "*_p.h" EXCLUDE)
    string(PREPEND pkgconfig_libs "-lquirel-${layer} ")
endforeach()

# The whole library, windows included; a program without windows links Report and Filters.
add_library(quirelreport INTERFACE)
target_link_libraries(quirelreport INTERFACE ${QUIREL_LIBRARY_LAYERS})
set_target_properties(quirelreport PROPERTIES EXPORT_NAME QuirelReport)
add_library(QuirelReport::QuirelReport ALIAS quirelreport)
foreach(layer IN LISTS QUIREL_LIBRARY_LAYERS)
    get_target_property(exportName ${layer} EXPORT_NAME)
    add_library(QuirelReport::${exportName} ALIAS ${layer})
endforeach()

# A static build also carries the compiled message catalogues as object libraries.
install(TARGETS ${QUIREL_LIBRARY_LAYERS} quirelreport ${QUIREL_TRANSLATION_TARGETS}
    EXPORT QuirelReportTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/QuirelReport COMPONENT Development)
install(EXPORT QuirelReportTargets
    NAMESPACE QuirelReport::
    DESTINATION ${QUIREL_INSTALL_CMAKEDIR}
    COMPONENT Development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuirelReportConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuirelReportConfig.cmake
    INSTALL_DESTINATION ${QUIREL_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuirelReportConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuirelReportConfig.cmake ${PROJECT_BINARY_DIR}/QuirelReportConfigVersion.cmake
    DESTINATION ${QUIREL_INSTALL_CMAKEDIR}
    COMPONENT Development)

# The file finds its prefix from where it lies, so an installed tree may move.
file(RELATIVE_PATH pkgconfig_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
set(QUIREL_PKGCONFIG_PREFIX "\${pcfiledir}/${pkgconfig_to_prefix}")
set(QUIREL_PKGCONFIG_LIBS ${pkgconfig_libs})
if(NOT BUILD_SHARED_LIBS)
    string(APPEND QUIREL_PKGCONFIG_LIBS " -lcups")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/quirelreport.pc.in ${PROJECT_BINARY_DIR}/quirelreport.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quirelreport.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT Development)
