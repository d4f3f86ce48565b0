# The running device: latency from a notification's moment to its named event being set.
zt_add_bench(device_notify_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_notify_bench.cpp
             LIBS zt_platform_notify zt_platform_kernel)
add_dependencies(device_notify_bench zt-device)
