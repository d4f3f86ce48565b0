include(GoogleTest)

# zt_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One small test binary per call; its cases are listed to CTest one by one. Tests find the
# device's programs through ZT_BIN_DIR, and their own helper programs beside themselves.
function(zt_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "ZT_BIN_DIR=${CMAKE_BINARY_DIR}/bin" TIMEOUT 120)
endfunction()

# zt_add_bench(NAME SOURCES a.cpp LIBS lib1)
function(zt_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# zt_add_fuzzer(NAME SOURCES a.cpp LIBS lib1)
# A libFuzzer target, built only by compilers that know -fsanitize=fuzzer (clang); elsewhere
# the call does nothing. Sources named here get coverage; linked libraries do not.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
check_cxx_source_compiles("
#include <cstddef>
#include <cstdint>
extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }" ZT_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)

function(zt_add_fuzzer name)
  if(NOT ZT_HAVE_LIBFUZZER)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
