# Test helpers: every test target is a GoogleTest executable registered with CTest.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# keelvane_add_test(NAME src... LIBS lib...): one test executable whose cases CTest runs one by one.
# Widget tests run on the off-screen platform so they need no display.
function(keelvane_add_test name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# keelvane_qt_test_application(): the target keelvane_qt_test_application, which a widget test
# executable links to get one QApplication and a private configuration folder.
function(keelvane_qt_test_application)
    if(NOT TARGET keelvane_qt_test_application)
        add_library(keelvane_qt_test_application OBJECT
                    ${PROJECT_SOURCE_DIR}/cmake/qt_test_application.cpp)
        target_link_libraries(keelvane_qt_test_application PUBLIC Qt6::Widgets GTest::gtest)
    endif()
endfunction()
