# trovelin_add_test(NAME SOURCES file... LIBS lib...)
# One GoogleTest executable per module, each test case registered with CTest.
function(trovelin_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} trovelin_testsupport GTest::gtest_main
                                          GTest::gmock)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
