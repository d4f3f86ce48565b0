zt_add_bench(clock_faces_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/clock_faces_bench.cpp
             LIBS zt_clock_faces zt_picture_qt zt_test_support Qt6::Gui)
target_compile_definitions(clock_faces_bench PRIVATE ZT_SKINS_DIR="${PROJECT_SOURCE_DIR}/data/skins")
