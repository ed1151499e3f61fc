# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread model,
# so that std::thread and std::mutex are available).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER  ${_mingw}-windres)
set(CMAKE_AR           ${_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       ${_mingw}-gcc-ranlib-posix CACHE FILEPATH "")

# Our cross-built dependencies (scripts/build-deps.sh) live in a prefix of the build
# tree; RAVENLOCK_DEPS_PREFIX points there.
if(DEFINED ENV{RAVENLOCK_DEPS_PREFIX} AND NOT RAVENLOCK_DEPS_PREFIX)
  set(RAVENLOCK_DEPS_PREFIX "$ENV{RAVENLOCK_DEPS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw} ${RAVENLOCK_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Prefer static archives (libz.a over libz.dll.a): the program must need no DLL.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .lib)
