# A Debian package of the install rules, made by CPack's DEB generator:
#   cpack --preset deb     writes build/default/drive_VERSION_ARCH.deb
# Included after the install rules; the version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drive)
set(CPACK_PACKAGE_VENDOR "the drive developers")
set(CPACK_PACKAGE_CONTACT "the drive developers <drive@drive.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; xmessage shows the program's
# messages in a box (without it they go to standard output).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build (the arm64 preset) is packaged for its architecture;
# dpkg-shlibdeps then reads the libraries' packages installed for that
# architecture beside this machine's own (Debian's multiarch, as
# scripts/cross-test.sh sets it up), as a Debian cross build does.
if(CMAKE_CROSSCOMPILING)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${drive_arch})
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS x11-utils)
# CPack takes the first line as the synopsis and the rest as the body.
set(CPACK_PACKAGE_DESCRIPTION
    "real-time driving demo on an endless road
One car on a straight road with sloping banks, driven from the keyboard
and seen from the driver's seat. The car is simulated by a planar
two-axle rigid-body model: slip angles, grip-limited tyre forces,
traction and brake, air drag and rolling resistance, stepped every
0.01 s. Two handling presets, grippy and slippery, can be switched at
any time.
.
The view is drawn with OpenGL at 640x480, full screen where the display
allows it. There is no score, no opponent, no menu and no sound. It needs
an X display with OpenGL.")
# Directories that the package makes get the usual 0755, whatever the
# umask of whoever builds it.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/cpack_directories.cmake)
# Every file in the package carries the last commit's time; with the
# install rules' fixed modes and owners, the stripped program and the
# compressed documents made without time stamps, two builds of one commit
# give the same .deb, wherever they were built (tests/install).
set(CPACK_DRIVE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_project.cmake)
include(CPack)
