# The installed program is built hardened, like the programs of a Debian system: stack protector, fortified libc
# calls, position-independent code and a read-only GOT (relro + bind-now). rinkmaster_harden(target) gives a target
# the compile flags (kept private to it); EXECUTABLE adds the link flags. The test programs keep their own flags.
option(RINKMASTER_HARDENING "Build the program with stack protector, fortify, PIE, relro and bind-now" ON)

include(CheckPIESupported)
if(RINKMASTER_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT MSVC)
  check_pie_supported(LANGUAGES CXX)
endif()

function(rinkmaster_harden target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "EXECUTABLE" "" "")
  if(NOT RINKMASTER_HARDENING OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR MSVC)
    return()
  endif()
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_compile_options(${target} PRIVATE -fstack-protector-strong -fstack-clash-protection)
  # glibc fortifies only optimised code (and warns otherwise); the sanitizers bring checks of their own.
  if(NOT RINKMASTER_SANITIZE)
    target_compile_definitions(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  endif()
  if(arg_EXECUTABLE)
    target_link_options(${target} PRIVATE LINKER:-z,relro LINKER:-z,now)
  endif()
endfunction()
