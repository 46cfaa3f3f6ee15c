# Image cache: a long timeline scroll through CacheableImageLoader delegates.
taviro_add_bench(bench_imagecache
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/cache/bench_imagecache.cpp
    LIBS taviro_core)
