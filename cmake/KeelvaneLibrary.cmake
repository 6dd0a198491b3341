# keelvane_library(NAME DEPS... [TEST_DEPS...] [EXCLUDE file...]): the library of one subsystem
# folder, built from its sources but the excluded ones, with one test executable NAME_tests built
# from the folder's *_test.cpp files.
function(keelvane_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    list(TRANSFORM ARG_EXCLUDE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    list(REMOVE_ITEM sources ${tests} ${ARG_EXCLUDE})
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    if(tests)
        keelvane_add_test(${name}_tests ${tests} LIBS ${name} ${ARG_TEST_DEPS})
    endif()
endfunction()

# keelvane_qt_library(NAME DEPS... [TEST_DEPS...] [EXCLUDE file...]): a subsystem library of Qt
# widgets; its tests share one QApplication and a private configuration folder.
function(keelvane_qt_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS;EXCLUDE" ${ARGN})
    find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
    keelvane_qt_test_application()
    keelvane_library(${name} DEPS ${ARG_DEPS} Qt6::Widgets
                     TEST_DEPS keelvane_qt_test_application Qt6::Test ${ARG_TEST_DEPS}
                     EXCLUDE ${ARG_EXCLUDE})
endfunction()
