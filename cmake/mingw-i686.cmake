# Windows x86 (32-bit): built and linked; 32-bit programs cannot run on the build machines.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
