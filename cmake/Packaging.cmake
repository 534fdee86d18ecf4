# `make package`: a Debian package of what `cmake --install` installs, built by CPack
# from the build that is there (no second build). Its dependencies are the libraries
# the programs and the windows module link, found by dpkg-shlibdeps.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${SAVER_DOC_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${SAVER_DOC_DESTINATION}
    FILES_MATCHING PATTERN "*.md")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME saverhost)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "saverhost developers <saverhost@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "web screen-saver engine for X11 desktops")
set(CPACK_PACKAGE_DESCRIPTION
    "A saver is one file: the engine with a saver package appended. It shows web pages\n full-screen one after another, plays music and runs a feed ticker.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
set(SAVER_WINDOWS_MODULE ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/saverhost-windows.so)
configure_file(${PROJECT_SOURCE_DIR}/cmake/PackageDepends.cmake
    ${PROJECT_BINARY_DIR}/PackageDepends.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/PackageDepends.cmake)
include(CPack)
