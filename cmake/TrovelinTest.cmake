# trovelin_add_test(NAME [QT_MAIN] SOURCES file... LIBS lib...)
# One GoogleTest executable per module, each test case registered with CTest. QT_MAIN gives
# the suite a main that creates the Qt application object first.
function(trovelin_add_test name)
    cmake_parse_arguments(ARG "QT_MAIN" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_QT_MAIN)
        target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/QtTestMain.cpp)
        target_link_libraries(${name} PRIVATE Qt6::Core GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} trovelin_testsupport GTest::gmock)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
