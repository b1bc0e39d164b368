# Read by cpack as it starts to package: the files in the .deb get the
# time of the last commit (source_date_epoch.cmake), not the time of
# packaging.
include(${CPACK_DRIVE_SOURCE_DIR}/cmake/source_date_epoch.cmake)
drive_source_date_epoch(${CPACK_DRIVE_SOURCE_DIR})
# A cross build's package: dpkg-shlibdeps reads the libraries of its
# architecture, with that architecture's objdump.
if(CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  set(ENV{DEB_HOST_ARCH} ${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})
endif()
