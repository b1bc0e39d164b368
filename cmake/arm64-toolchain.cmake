# arm64 (AArch64), as a Raspberry Pi 4 or 5 runs Debian: see
# cross-toolchain.cmake.
set(drive_arch arm64)
set(drive_triple aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-toolchain.cmake)
