# GoogleTest: Debian's package on Linux; built from its sources for the
# MinGW cross build, whose test programs run under Wine.
enable_testing()

if(CMAKE_CROSSCOMPILING)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(ORVALEN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    add_subdirectory(${ORVALEN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(ORVALEN_GTEST_MAIN gtest_main)
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    set(ORVALEN_GTEST_MAIN GTest::gtest_main)
endif()

# orvalen_add_test(NAME SOURCES... [LIBRARIES libs...] [LABELS labels...])
# Natively every test case is its own ctest entry. Under Wine each program is
# one entry: listing the cases would start Wine once more per program.
# The label whole_dictionary marks checks over a whole bundled dictionary,
# which the native preset runs and the sanitizer and Windows presets leave
# out (CMakePresets.json): they are slow there and check nothing more. The
# label heavy marks other such checks: hostile dictionaries against the
# literal search, and bounds on time and memory.
# A preset whose tests leave those labels out (sanitize, windows) turns
# ORVALEN_HEAVY_TESTS off, and such test programs are then not built at all.
option(ORVALEN_HEAVY_TESTS "Build the test programs labelled whole_dictionary or heavy" ON)
function(orvalen_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    if(NOT ORVALEN_HEAVY_TESTS AND ("whole_dictionary" IN_LIST ARG_LABELS OR "heavy" IN_LIST ARG_LABELS))
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${ORVALEN_GTEST_MAIN})
    # Line tables are enough for a test program's backtraces, and compile in
    # two thirds of the time full debug information takes.
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo>:-g1>)
    endif()
    set(properties "")
    if(ARG_LABELS)
        # The slow checks start first, so that none is left running alone at
        # the end of a run.
        set(properties PROPERTIES LABELS "${ARG_LABELS}" COST 500)
    endif()
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        if(ARG_LABELS)
            set_tests_properties(${name} ${properties})
        endif()
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${properties})
    endif()
endfunction()

# orvalen_add_desktop_test(NAME PROGRAM LOCALE TIMEOUT [VARIABLE=VALUE...])
# A test program that opens windows under Wine, with Wine's locale (and so its
# ANSI code page) set. Windows of two programs on one Wine desktop take the
# focus from each other, and the tests check the focus, so they take turns.
function(orvalen_add_desktop_test name program locale timeout)
    add_test(NAME ${name} COMMAND ${program})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "ORVALEN_WINE_LC_ALL=${locale};${ARGN}"
        TIMEOUT ${timeout}
        RESOURCE_LOCK orvalen_wine_desktop)
endfunction()
