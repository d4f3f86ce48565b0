# City database and local time: open, enumerate, list, ZIP look-ups, local times.
zt_add_bench(world_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/world_bench.cpp LIBS zt_world_data)
target_compile_definitions(world_bench PRIVATE ZT_SHIPPED_CITY_DB="${PROJECT_SOURCE_DIR}/data/cities/TimeCitiesDB.dat")
