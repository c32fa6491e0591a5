# Shared build rules: warnings, sanitizers, and one-line declarations of the project's libraries,
# test executables and benchmarks.

add_compile_options(-Wall -Wextra)
add_compile_definitions(QUORVAN4_VERSION="${PROJECT_VERSION}.0")

if(Q4_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC's flow analysis reads the instrumented code as using values before they are set
    # (inside the standard library's own templates); the plain build keeps the warning.
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
elseif(Q4_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT Q4_SANITIZE STREQUAL "")
  message(FATAL_ERROR "Q4_SANITIZE must be empty, 'address' or 'thread'")
endif()

if(Q4_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "Q4_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# q4_library(NAME [DEPS lib...] [QT])
# A static library of every .cpp in the calling directory. Headers are included from the
# repository root ("platform/rtl/SysUtils.h"), so every library exports the root.
function(q4_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE ${headers})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# q4_test(NAME DEPS lib...)
# One GoogleTest executable of every .cpp in the calling directory, registered with CTest.
function(q4_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  find_package(GTest REQUIRED)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(Q4_SANITIZE STREQUAL "thread")
    # One suppression list for every test program (the uninstrumented Qt, GLib and PNG libraries).
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/tsan/TsanSuppressions.cpp)
  endif()
  target_compile_definitions(${name} PRIVATE Q4_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             Q4_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# q4_bench(NAME SOURCES file... DEPS lib...)
function(q4_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# q4_fuzz(NAME SOURCES file... DEPS lib... [MAX_LEN bytes] [CORPUS dir]) — only built with
# -DQ4_FUZZ=ON. MAX_LEN raises the fuzzer's input limit (unless -max_len is given); a CORPUS
# directory seeds the fuzzer and is replayed once as a CTest test of the fuzz build.
function(q4_fuzz name)
  cmake_parse_arguments(ARG "" "MAX_LEN;CORPUS" "SOURCES;DEPS" ${ARGN})
  if(NOT Q4_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES}
                 ${PROJECT_SOURCE_DIR}/tests/fuzz/support/LeakSuppressions.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(ARG_MAX_LEN)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fuzz/support/MaxInputLength.cpp)
    target_compile_definitions(${name} PRIVATE Q4_FUZZ_MAX_LEN=${ARG_MAX_LEN})
  endif()
  if(ARG_CORPUS)
    add_test(NAME ${name}.corpus
             COMMAND ${name} -runs=0 ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_CORPUS})
  endif()
endfunction()

# q4_add_subdirs(): adds every immediate subdirectory that has a CMakeLists.txt, so that a new
# library, test folder, tool or benchmark joins the build by existing.
function(q4_add_subdirs)
  file(GLOB entries RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(entry ${entries})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${entry} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
