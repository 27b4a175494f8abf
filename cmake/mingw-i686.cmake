# Cross toolchain: 32-bit Windows programs built with MinGW-w64 (win32 thread model,
# so that nothing needs winpthread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(prefix i686-w64-mingw32)
# On Windows itself (MSYS2's MINGW32 shell), the plain names on PATH are that compiler.
find_program(CMAKE_C_COMPILER NAMES ${prefix}-gcc-win32 ${prefix}-gcc gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${prefix}-g++-win32 ${prefix}-g++ g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${prefix}-windres windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
