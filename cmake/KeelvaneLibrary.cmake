# keelvane_library(NAME DEPS...): the library of one subsystem folder, built from its sources, with
# one test executable NAME_tests built from the folder's *_test.cpp files.
function(keelvane_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests)
        list(REMOVE_ITEM sources ${tests})
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    if(tests)
        keelvane_add_test(${name}_tests ${tests} LIBS ${name} ${ARG_TEST_DEPS})
    endif()
endfunction()

# keelvane_qt_library(NAME DEPS...): a subsystem library of Qt widgets; its tests share one
# QApplication and a private configuration folder.
function(keelvane_qt_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
    find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
    keelvane_qt_test_application()
    keelvane_library(${name} DEPS ${ARG_DEPS} Qt6::Widgets
                     TEST_DEPS keelvane_qt_test_application Qt6::Test ${ARG_TEST_DEPS})
endfunction()
