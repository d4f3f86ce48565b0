# Kernel objects: uncontended mutex, cross-process mutex hand-over, cross-process event wake.
zt_add_bench(kernel_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/kernel_bench.cpp
             LIBS zt_platform_kernel zt_registry_test_support)
