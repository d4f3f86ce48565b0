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

# zt_add_loaded_library(NAME SOURCES a.cpp LIBS lib1 lib2)
# A library a device host loads into its own process (Today item, applet): only the entry
# points it marks visible are seen, the static libraries inside included, and it stays mapped
# once loaded, since Qt keeps pointers into it (event types, timers) until the application ends.
function(zt_add_loaded_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES
    OUTPUT_NAME "${name}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${name} PRIVATE "LINKER:--exclude-libs,ALL" "LINKER:--no-undefined" "LINKER:-z,nodelete")
endfunction()

# zt_add_bench(NAME SOURCES a.cpp LIBS lib1)
function(zt_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# zt_add_fuzzer(NAME SOURCES a.cpp LIBS lib1 [CORPUS dir])
# A fuzz target: sources that define LLVMFuzzerTestOneInput, with a committed seed corpus
# (default: corpus/NAME beside the CMakeLists.txt that names it).
# - Every compiler builds NAME_replay into tests/: the target linked with the replay driver,
#   registered with CTest as fuzz_replay.NAME, so each suite run (and each sanitizer run) feeds
#   the whole committed corpus through the target. Given files or folders, it replays those
#   instead (a crashing input that scripts/fuzz.sh kept, for instance).
# - Compilers that know -fsanitize=fuzzer (clang with its runtime) also build NAME itself into
#   fuzz/, with address and undefined-behaviour checks; scripts/fuzz.sh runs those. Sources
#   named here get coverage; linked libraries only when the whole build is instrumented
#   (scripts/fuzz.sh does that with -fsanitize=fuzzer-no-link).
# Every target is listed in fuzz/targets.tsv (name, corpus folder) for scripts/fuzz.sh, and
# the custom target zt_fuzzers builds every fuzzer.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
check_cxx_source_compiles("
#include <cstddef>
#include <cstdint>
extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }" ZT_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)

set(ZT_FUZZ_REPLAY_MAIN ${PROJECT_SOURCE_DIR}/tests/fuzz_replay/replay_main.cpp)
add_custom_target(zt_fuzzers)
set(ZT_FUZZ_MANIFEST ${CMAKE_BINARY_DIR}/fuzz/targets.tsv)
file(WRITE ${ZT_FUZZ_MANIFEST} "")

function(zt_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CORPUS)
    set(ARG_CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  endif()
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT IS_DIRECTORY ${corpus})
    message(FATAL_ERROR "zt_add_fuzzer(${name}): no seed corpus at ${corpus}")
  endif()
  file(APPEND ${ZT_FUZZ_MANIFEST} "${name}\t${corpus}\n")

  add_executable(${name}_replay ${ARG_SOURCES} ${ZT_FUZZ_REPLAY_MAIN})
  target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
  target_compile_definitions(${name}_replay PRIVATE ZT_FUZZ_CORPUS="${corpus}")
  set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME fuzz_replay.${name} COMMAND ${name}_replay)
  set_tests_properties(fuzz_replay.${name} PROPERTIES LABELS fuzz TIMEOUT 120)

  if(NOT ZT_HAVE_LIBFUZZER)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(zt_fuzzers ${name})
endfunction()
