# Shared compile settings for every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

option(RINKMASTER_WERROR "Treat warnings as errors" OFF)
option(RINKMASTER_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(rinkmaster_options INTERFACE)
target_compile_features(rinkmaster_options INTERFACE cxx_std_20)
if(MSVC)
  target_compile_options(rinkmaster_options INTERFACE /W4)
else()
  target_compile_options(rinkmaster_options INTERFACE -Wall -Wextra -Wpedantic)
  if(RINKMASTER_WERROR)
    target_compile_options(rinkmaster_options INTERFACE -Werror)
  endif()
endif()
target_compile_definitions(rinkmaster_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER QT_NO_FOREACH
  RINKMASTER_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  RINKMASTER_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  RINKMASTER_VERSION_PATCH=${PROJECT_VERSION_PATCH})
if(RINKMASTER_SANITIZE)
  target_compile_options(rinkmaster_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(rinkmaster_options INTERFACE -fsanitize=address,undefined)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Hardening.cmake)
