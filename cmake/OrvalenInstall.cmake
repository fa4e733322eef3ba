# The portable core as a library for other programs: `cmake --install` puts
# its headers under include/orvalen, its static libraries under lib, a CMake
# package (find_package(Orvalen), target Orvalen::core) and a pkg-config file
# (orvalen.pc) beside them. Included after the core's folders are added.

include(CMakePackageConfigHelpers)

# The core's libraries, lowest first, and the folders of their headers. The
# shared text and answer libraries join when the tree has them.
set(ORVALEN_CORE_LIBRARIES "")
set(ORVALEN_CORE_FOLDERS "")
foreach(folder dictionary search text answer)
    if(TARGET orvalen_${folder})
        list(APPEND ORVALEN_CORE_LIBRARIES orvalen_${folder})
        list(APPEND ORVALEN_CORE_FOLDERS ${folder})
    endif()
endforeach()

set(ORVALEN_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/orvalen)
set(ORVALEN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Orvalen)

# In the tree the core's headers are found from the top of the checkout
# ("search/search.h"); installed, from include/orvalen. The in-tree path
# must not reach the installed package, so it is kept to the build.
# Installed consumers may link the core into a shared library (the Python
# module is one), so its code is position-independent.
foreach(library ${ORVALEN_CORE_LIBRARIES})
    set_property(TARGET ${library} PROPERTY POSITION_INDEPENDENT_CODE ON)
    string(REPLACE orvalen_ "" name ${library})
    set_target_properties(${library} PROPERTIES EXPORT_NAME ${name})
    set_property(TARGET ${library} PROPERTY INTERFACE_INCLUDE_DIRECTORIES
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<INSTALL_INTERFACE:${ORVALEN_INSTALL_INCLUDEDIR}>)
endforeach()

# One name for the whole core: what a program links to.
add_library(orvalen_core INTERFACE)
target_link_libraries(orvalen_core INTERFACE ${ORVALEN_CORE_LIBRARIES})
target_compile_features(orvalen_core INTERFACE cxx_std_20)
set_target_properties(orvalen_core PROPERTIES EXPORT_NAME core)
add_library(Orvalen::core ALIAS orvalen_core)

install(TARGETS ${ORVALEN_CORE_LIBRARIES} orvalen_core EXPORT OrvalenTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(folder ${ORVALEN_CORE_FOLDERS})
    install(DIRECTORY ${folder}/ DESTINATION ${ORVALEN_INSTALL_INCLUDEDIR}/${folder}
        FILES_MATCHING PATTERN "*.h" PATTERN "*_test*" EXCLUDE PATTERN "tests" EXCLUDE)
endforeach()
install(EXPORT OrvalenTargets NAMESPACE Orvalen:: DESTINATION ${ORVALEN_INSTALL_CMAKEDIR})
configure_package_config_file(cmake/OrvalenConfig.cmake.in ${CMAKE_BINARY_DIR}/OrvalenConfig.cmake
    INSTALL_DESTINATION ${ORVALEN_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OrvalenConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OrvalenConfig.cmake ${CMAKE_BINARY_DIR}/OrvalenConfigVersion.cmake
    DESTINATION ${ORVALEN_INSTALL_CMAKEDIR})

# pkg-config: the prefix is worked out from where orvalen.pc lies, so the
# installed tree can be moved (or installed with --prefix) and still work.
set(ORVALEN_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ORVALEN_PKGCONFIG_TO_PREFIX /prefix/${ORVALEN_PKGCONFIG_DIR} /prefix)
string(REGEX REPLACE "/$" "" ORVALEN_PKGCONFIG_TO_PREFIX ${ORVALEN_PKGCONFIG_TO_PREFIX})
set(ORVALEN_PKGCONFIG_LIBS "")
foreach(library ${ORVALEN_CORE_LIBRARIES})
    # Highest first: each library's undefined names are found in those after it.
    string(PREPEND ORVALEN_PKGCONFIG_LIBS "-l${library} ")
endforeach()
configure_file(cmake/orvalen.pc.in ${CMAKE_BINARY_DIR}/orvalen.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/orvalen.pc DESTINATION ${ORVALEN_PKGCONFIG_DIR})

# A program outside the tree, built against the installed package with
# CMake and with pkg-config, must find and link the core and answer as
# orvalen-find does. Sanitized libraries would need the sanitizer's runtime
# in that program too, so the check runs in the plain native build only.
if(NOT CMAKE_CROSSCOMPILING AND NOT ORVALEN_SANITIZE)
    add_test(NAME installed_library_test
        COMMAND ${PROJECT_SOURCE_DIR}/examples/installed_library_test.sh
            ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}/examples/lookalikes ${CMAKE_CXX_COMPILER})
    set_tests_properties(installed_library_test PROPERTIES TIMEOUT 120)
endif()
