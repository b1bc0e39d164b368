# Debian's compiler and linker flags, as a Debian package build would use
# them: dpkg-buildflags with every hardening feature (fortified libc
# calls, the strong stack protector, format checks, read-only relocations
# and immediate binding; PIE is the compiler's default). They come before
# the build type's flags and our own options, so -ffp-contract=off still
# holds, and -O2 is what RelWithDebInfo uses anyway: the physics is the
# same to the last bit (the worked-step and drive-compare tests show it).
#
# A cross build for another Debian architecture (the arm64 preset) gets
# that architecture's flags, as dpkg-buildflags gives them for it.
#
# Not for the sanitizer and fuzzer builds (fortified calls and ASan get in
# each other's way, and clang's fuzzer build wants its own flags) nor for
# the Windows and web builds: the Windows build's equivalents are in
# windows-toolchain.cmake.
option(DRIVE_DEBIAN_FLAGS
       "Compile and link with Debian's hardening flags from dpkg-buildflags" ON)

if(NOT CMAKE_SYSTEM_NAME STREQUAL Linux OR DRIVE_SANITIZE OR DRIVE_FUZZ)
  set(DRIVE_DEBIAN_FLAGS OFF)
endif()
# Without dpkg-dev (scripts/deps.sh build does not ask for it) the demo
# is built without them; the package cannot be, as it needs dpkg-dev's
# dpkg-shlibdeps too.
if(DRIVE_DEBIAN_FLAGS)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found (package dpkg-dev): building "
                   "without Debian's hardening flags")
    set(DRIVE_DEBIAN_FLAGS OFF)
  endif()
endif()
if(DRIVE_DEBIAN_FLAGS)
  # Options set by whoever builds come after ours, so they can still
  # turn a feature off.
  set(maint "hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}")
  set(host_arch)
  if(CMAKE_CROSSCOMPILING)
    set(host_arch DEB_HOST_ARCH=${drive_arch})
  endif()
  # dpkg-buildflags maps the folder it runs in to "." in file names
  # (-ffile-prefix-map): run it in the source folder.
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${maint}"
              ${host_arch}
              ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  # A build folder outside the sources gets a fixed name of its own, so
  # that the program (its build ID, which covers the debug information
  # stripped later) does not depend on where it was built. Last, as the
  # last matching map wins.
  string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}"
         " -ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
  # A cross build's root (build/sysroot-ARCH, inside the sources or not)
  # is named /, where the headers are on a machine of that architecture.
  if(CMAKE_SYSROOT)
    string(APPEND CMAKE_CXX_FLAGS " -ffile-prefix-map=${CMAKE_SYSROOT}=/")
  endif()
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
endif()
