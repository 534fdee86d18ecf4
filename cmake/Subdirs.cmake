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

# saver_test(NAME SOURCES... LIBS ... [WEB_ENGINE] [LIBRARY_CACHES]): a GoogleTest program
# whose cases ctest lists one by one. Sanitizer builds check the programs marked with
# either option for memory errors but not for leaks. WEB_ENGINE marks programs that run
# WebKit: its JavaScript engine suspends threads with signals, which LeakSanitizer's
# tracer cannot follow. LIBRARY_CACHES marks programs that run GTK windows or GStreamer
# pipelines: fontconfig, D-Bus and GStreamer's threads keep allocations for the whole
# process, which LeakSanitizer reports at its end though no code of ours leaks.
function(saver_test name)
    cmake_parse_arguments(T "WEB_ENGINE;LIBRARY_CACHES" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        SAVER_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        SAVER_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    set(properties ENVIRONMENT "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1")
    if(T_WEB_ENGINE OR T_LIBRARY_CACHES)
        list(APPEND properties ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=set:detect_leaks=0")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# saver_fuzz_target(NAME SOURCES... LIBS ... SEEDS folders...): a libFuzzer program
# (built only with SAVER_FUZZ) and the list of its seed folders beside it, which
# tools/fuzz/run-all.sh reads. `fuzz_all` builds every target.
function(saver_fuzz_target name)
    cmake_parse_arguments(F "" "" "SOURCES;LIBS;SEEDS" ${ARGN})
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    string(JOIN "\n" seeds ${F_SEEDS})
    file(WRITE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}.seeds "${seeds}\n")
    add_dependencies(fuzz_all ${name})
endfunction()
