# The world screen: one repaint with the night side and all markers, and the nearest-city search
# behind a tap; the stopwatch screen's refresh on the same device.
zt_add_bench(world_screen_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/world_screen_bench.cpp
             LIBS zt_app_frame zt_world_map zt_test_support Qt6::Widgets)
target_compile_definitions(world_screen_bench PRIVATE ZT_SKINS_DIR="${PROJECT_SOURCE_DIR}/data/skins"
                           ZT_SHIPPED_CITY_DB="${PROJECT_SOURCE_DIR}/data/cities/TimeCitiesDB.dat")
