# Where `cmake --install` and the Debian package put things (FHS): programs in bin/, the
# programs the saver starts from its system folder in lib/saverhost/, documents in
# share/doc/saverhost/, manual pages in share/man/man1/. The prefix is /usr unless one is
# given: the saver looks for its system folder under the prefix it was built for.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Where to install" FORCE)
endif()
set(SAVER_BIN_DESTINATION bin)
set(SAVER_SYSTEM_DESTINATION lib/saverhost)
set(SAVER_SYSTEM_FOLDER "${CMAKE_INSTALL_PREFIX}/${SAVER_SYSTEM_DESTINATION}/")
set(SAVER_DOC_DESTINATION share/doc/saverhost)
set(SAVER_MAN_DESTINATION share/man/man1)

# Release builds keep the debug information of the installed programs and of the windows
# module in a file beside each (NAME.debug, found by debuggers through the debug link)
# and carry none themselves: a saver file, a copy of the host, stays small.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$" AND NOT SAVER_SANITIZE
   AND NOT SAVER_FUZZ)
    set(SAVER_SPLIT_DEBUG_INFO ON)
endif()
function(saver_split_debug_info target)
    if(SAVER_SPLIT_DEBUG_INFO)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
                    $<TARGET_FILE:${target}>.debug
            COMMAND ${CMAKE_OBJCOPY} --strip-all
                    --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
            WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
            VERBATIM)
    endif()
endfunction()

# saver_program(TARGET [SYSTEM] SUMMARY text): installs the program (into the system
# folder with SYSTEM), without its debug information, with a manual page made from its
# --help text.
function(saver_program target)
    cmake_parse_arguments(P "SYSTEM" "SUMMARY" "" ${ARGN})
    saver_split_debug_info(${target})
    if(P_SYSTEM)
        install(TARGETS ${target} RUNTIME DESTINATION ${SAVER_SYSTEM_DESTINATION})
    else()
        install(TARGETS ${target} RUNTIME DESTINATION ${SAVER_BIN_DESTINATION})
    endif()
    set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                "-DSUMMARY=${P_SUMMARY}" -DOUTPUT=${page}
                -P ${PROJECT_SOURCE_DIR}/cmake/HelpToMan.cmake
        DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/HelpToMan.cmake
        VERBATIM)
    add_custom_target(${target}_man ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${SAVER_MAN_DESTINATION})
endfunction()
