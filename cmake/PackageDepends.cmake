# Read by cpack: the libraries of the windows module, which travels inside the saver host
# where dpkg-shlibdeps does not look, become dependencies of the package too.
set(module "@SAVER_WINDOWS_MODULE@")
set(scratch "@PROJECT_BINARY_DIR@/package/shlibdeps")
file(MAKE_DIRECTORY "${scratch}/debian")
file(TOUCH "${scratch}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O -e "${module}"
    WORKING_DIRECTORY "${scratch}" OUTPUT_VARIABLE found ERROR_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]*)")
    message(FATAL_ERROR "dpkg-shlibdeps cannot read ${module}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
