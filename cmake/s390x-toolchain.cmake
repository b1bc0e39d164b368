# s390x, Debian's big-endian architecture, for the image decoder's tests:
# see cross-toolchain.cmake.
set(drive_arch s390x)
set(drive_triple s390x-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR s390x)
include(${CMAKE_CURRENT_LIST_DIR}/cross-toolchain.cmake)
