# A compiler cache kept per machine, as Allegro for Windows is: with ccache
# installed, a clean clone on a machine that has built the project before
# compiles only what has changed. Paths under the source folder are
# hashed relative to it (CCACHE_BASEDIR) and the build folder is not
# hashed (CCACHE_NOHASHDIR), so that clones in other folders share it.
#
# ccache hands the compiler those relative paths, which land in the
# debug information and so in the build ID of a Linux program: the
# builds that make the Debian package compile only their tests through it
# (tests/quick_build.cmake), and the package the same with or without
# ccache. CCACHE_DISABLE=1 passes one run by it, as the reproducibility
# tests' second builds do; -DDRIVE_COMPILER_CACHE=OFF, a build folder.
option(DRIVE_COMPILER_CACHE "Compile through ccache where it is installed" ON)
find_program(DRIVE_CCACHE ccache)
set(drive_compiler_launcher "")
if(DRIVE_COMPILER_CACHE AND DRIVE_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(drive_compiler_launcher
      ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
      CCACHE_NOHASHDIR=1 ${DRIVE_CCACHE})
  if(NOT DRIVE_DEBIAN_FLAGS)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${drive_compiler_launcher})
  endif()
endif()
