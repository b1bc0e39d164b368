# Cross-compiles for another Debian architecture with Debian's cross
# compiler (g++-TRIPLE), against a root of that architecture's packages
# that scripts/cross-test.sh makes, build/sysroot-ARCH by default
# (DRIVE_SYSROOT). The programs run under qemu-user: through binfmt_misc
# when a test script starts them, and as the emulator that CMake puts
# before a test program. Included by the toolchain file of each
# architecture, which sets drive_arch, drive_triple and
# CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${drive_triple}-gcc)
set(CMAKE_CXX_COMPILER ${drive_triple}-g++)

if(NOT DEFINED DRIVE_SYSROOT)
  get_filename_component(DRIVE_SYSROOT
                         ${CMAKE_CURRENT_LIST_DIR}/../build/sysroot-${drive_arch}
                         ABSOLUTE)
endif()
# Compiler checks read this file again: they must see the same root.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DRIVE_SYSROOT)
set(CMAKE_SYSROOT ${DRIVE_SYSROOT})
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${DRIVE_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR}
    ${DRIVE_SYSROOT}/usr/lib/${drive_triple}/pkgconfig:${DRIVE_SYSROOT}/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH ${DRIVE_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# qemu-user finds the program's libraries in the root.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CMAKE_SYSTEM_PROCESSOR}-static -L
                                  ${DRIVE_SYSROOT})
