# Time core: CGenericMap beside std::unordered_map, store reload and earliest-due search.
zt_add_bench(core_map_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_map_bench.cpp LIBS zt_core_values)
zt_add_bench(core_store_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_store_bench.cpp
             LIBS zt_core zt_registry_test_support)
