# Cross-compiles for 64-bit Windows with Debian's mingw-w64, for both the
# Allegro library build (scripts/allegro_windows.sh) and the program's own
# (the windows preset). The posix thread model gives the standard
# library the std::mutex that GoogleTest needs; everything is linked
# statically, its threads library included, so the executables need only
# DLLs that Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_STRIP ${mingw_triple}-strip)
set(CMAKE_OBJDUMP ${mingw_triple}-objdump)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Hardening, for Allegro's build and ours: of Debian's flags
# (dpkg-buildflags) those that mean the same for a Windows program. The
# strong stack protector and _FORTIFY_SOURCE's checked calls come from
# GCC's libssp, linked statically (the compiler adds it when it links
# with -fstack-protector-*). ELF's read-only relocations and immediate
# binding have no PE counterpart; a PE program gets address-space layout
# randomisation (--dynamicbase, with 64-bit addresses: --high-entropy-va)
# and a stack and heap that cannot run code (--nxcompat). ld has set
# these three by default since binutils 2.36; they are named here so that
# the program has them whatever the linker's defaults. The linker's time
# stamp would make every link differ: it is left out (strip stamps the
# zip's copy with SOURCE_DATE_EPOCH, see windows_zip.cmake). Our source folder
# becomes "." in file names, as dpkg-buildflags does for a Debian build.
get_filename_component(drive_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(hardening "-fstack-protector-strong -D_FORTIFY_SOURCE=2 -Wformat \
-Werror=format-security -ffile-prefix-map=${drive_root}=.")
set(CMAKE_C_FLAGS_INIT "${hardening}")
set(CMAKE_CXX_FLAGS_INIT "${hardening}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--dynamicbase,--nxcompat"
       ",--high-entropy-va,--no-insert-timestamp")

# Allegro and AllegroGL as scripts/allegro_windows.sh installs them, found
# through pkg-config files of their own, never the build machine's copies.
if(NOT DEFINED DRIVE_WINDOWS_LIBS)
  get_filename_component(DRIVE_WINDOWS_LIBS
                         ${CMAKE_CURRENT_LIST_DIR}/../build/windows-libs/prefix
                         ABSOLUTE)
endif()
# Compiler checks read this file again: they must see the same folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DRIVE_WINDOWS_LIBS)
set(ENV{PKG_CONFIG_LIBDIR} ${DRIVE_WINDOWS_LIBS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${DRIVE_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
