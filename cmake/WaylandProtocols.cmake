# saver_wayland_protocols(TARGET XML...): generates the client code of Wayland protocols with
# wayland-scanner at build time (NAME-client-protocol.h and NAME-protocol.c per XML file,
# NAME being the file's name without .xml) and adds it to TARGET, which also gets the
# folder of the headers and links libwayland-client. The XML files come from the packages
# wayland-protocols (WAYLAND_PROTOCOLS_DIR) and plasma-wayland-protocols
# (PLASMA_WAYLAND_PROTOCOLS_DIR).
pkg_check_modules(SAVER_WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_package(PlasmaWaylandProtocols REQUIRED)
if(NOT WAYLAND_SCANNER OR NOT WAYLAND_PROTOCOLS_DIR)
    message(FATAL_ERROR "wayland-scanner and wayland-protocols are needed (libwayland-dev, wayland-protocols)")
endif()

function(saver_wayland_protocols target)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
    file(MAKE_DIRECTORY ${folder})
    foreach(xml ${ARGN})
        get_filename_component(name ${xml} NAME_WE)
        add_custom_command(
            OUTPUT ${folder}/${name}-client-protocol.h ${folder}/${name}-protocol.c
            COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${folder}/${name}-client-protocol.h
            COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${folder}/${name}-protocol.c
            DEPENDS ${xml}
            COMMENT "wayland-scanner ${name}")
        target_sources(${target} PRIVATE ${folder}/${name}-client-protocol.h
            ${folder}/${name}-protocol.c)
    endforeach()
    target_include_directories(${target} PRIVATE ${folder})
    target_link_libraries(${target} PRIVATE PkgConfig::SAVER_WAYLAND_CLIENT)
endfunction()
