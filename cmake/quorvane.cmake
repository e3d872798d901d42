# Shared build rules: compiler flags, module libraries and test registration.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(WIN32)
  # Link the C and C++ runtimes in, so no MinGW DLL has to be found at run time.
  add_link_options(-static)
  # On i686 a call through a pointer of the wrong calling convention or signature wrecks the
  # stack. Without a cast a convention mismatch is already an error; GCC compares no
  # conventions in a cast, so a cast that changes parameters or result fails the build, and
  # so does one through an object pointer (void*), which would hide both. A routine from
  # GetProcAddress is cast through void (*)() to a WINAPI pointer type declared for it.
  add_compile_options(-Werror=cast-function-type
                      $<$<COMPILE_LANGUAGE:CXX>:-Werror=conditionally-supported>)
endif()
if(QUORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QUORVANE_FUZZ)
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# quorvane_module(NAME SOURCES ... [WIN_SOURCES ...] [DEPS ...] [WIN_LIBS ...])
# Defines the static library quorvane_NAME from the portable sources, plus the
# Win32 sources and system libraries in the Windows builds.
function(quorvane_module name)
  cmake_parse_arguments(M "" "" "SOURCES;WIN_SOURCES;DEPS;WIN_LIBS" ${ARGN})
  set(target quorvane_${name})
  set(sources ${M_SOURCES})
  if(WIN32)
    list(APPEND sources ${M_WIN_SOURCES})
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${M_DEPS})
    if(WIN32)
      target_link_libraries(${target} PUBLIC ${M_WIN_LIBS})
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${M_DEPS})
  endif()
endfunction()

# Tests run natively, or under the cross-compiling emulator: 64-bit Wine in the win64
# build, qemu-i386-static in the native32 one. The win32 build compiles them but cannot
# run them here.
set(QUORVANE_RUN_TESTS ON)
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(QUORVANE_RUN_TESTS OFF)
endif()

# quorvane_add_test(NAME SOURCES ... [LIBS ...] [ENV ...])
# One gtest executable. Natively each case becomes a CTest test; under an emulator the
# executable is one test, since every launch costs seconds under Wine and a quarter of a
# second under qemu, far more than a case takes.
function(quorvane_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE quorvane_test_main ${T_LIBS})
  if(NOT QUORVANE_RUN_TESTS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    if(WIN32)
      list(PREPEND T_ENV WINEDEBUG=-all)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENV}")
  else()
    # Parameterised cases carry readable names; their values would only add bytes.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
      PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENV}")
  endif()
endfunction()
