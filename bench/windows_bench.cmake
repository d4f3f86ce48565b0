# Window messages: post-to-delivery round trip, WM_COPYDATA sends, post bursts, lookups.
zt_add_bench(windows_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/windows_bench.cpp
             LIBS zt_platform_windows zt_registry_test_support)
