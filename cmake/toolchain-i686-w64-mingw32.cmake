# Cross-compiling for x86 Windows with mingw-w64 (posix thread model).
set(QV_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
