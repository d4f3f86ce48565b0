zt_add_bench(registry_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/registry_bench.cpp
  LIBS zt_platform_registry zt_test_support)
