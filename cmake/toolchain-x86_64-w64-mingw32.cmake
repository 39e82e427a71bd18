# Cross-compiling for x64 Windows with mingw-w64 (posix thread model).
set(QV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
