# Cross build for 32-bit Windows (i686) with the MinGW-w64 toolchain.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DKPX_PLUGIN_ONLY=ON ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(KPX_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KPX_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${KPX_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${KPX_MINGW_PREFIX}-windres)
set(CMAKE_AR ${KPX_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KPX_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

# Libraries and headers come from the cross sysroot only; programs (cmake's own
# helpers) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KPX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
