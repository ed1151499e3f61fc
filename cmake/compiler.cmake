# Compiler differences kept in one place.
option(RAVENLOCK_BUILD_TESTS "Build the test programs" ON)

# Everything lands in one folder, so that tests find the program and the stubs beside them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601)

# Our own targets link this; third-party code (GoogleTest) builds without -Werror.
add_library(ravenlock_warnings INTERFACE)
if(MSVC)
  target_compile_options(ravenlock_warnings INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:/W4 /WX /utf-8 /permissive->)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  set(RAVENLOCK_WIDE_ENTRY "")
else()
  target_compile_options(ravenlock_warnings INTERFACE
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror -finput-charset=UTF-8>)
  # Static runtime: libgcc, libstdc++ and winpthread go into every executable.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  # wWinMain / wmain entry points.
  set(RAVENLOCK_WIDE_ENTRY -municode)
endif()

if(CMAKE_CROSSCOMPILING)
  # ctest starts the Windows test programs under Wine through this wrapper.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/scripts/wine-run.sh")
endif()

# A GUI-subsystem program with a wide entry point.
function(ravenlock_gui_executable target)
  add_executable(${target} WIN32 ${ARGN})
  target_link_libraries(${target} PRIVATE ravenlock_warnings)
  if(RAVENLOCK_WIDE_ENTRY)
    target_link_options(${target} PRIVATE ${RAVENLOCK_WIDE_ENTRY})
  endif()
endfunction()
