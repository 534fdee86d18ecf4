# Adds every direct subfolder of DIR that has a CMakeLists.txt, in name order.
# Each subsystem keeps its own CMakeLists.txt, so adding one touches no shared file.
function(add_subdirectories_of dir)
    file(GLOB children RELATIVE "${dir}" "${dir}/*")
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY "${dir}/${child}" AND EXISTS "${dir}/${child}/CMakeLists.txt")
            add_subdirectory("${dir}/${child}")
        endif()
    endforeach()
endfunction()

# saver_test(NAME SOURCES... LIBS ...): a GoogleTest program whose cases ctest lists one by one.
function(saver_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        SAVER_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        SAVER_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1")
endfunction()
