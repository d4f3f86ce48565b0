zt_add_bench(skins_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/skins_bench.cpp LIBS zt_picture zt_skins_test_support)
target_compile_definitions(skins_bench PRIVATE ZT_SKINS_DIR="${PROJECT_SOURCE_DIR}/data/skins")
