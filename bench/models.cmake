# Feed models: parsing, merging, saving and showing photo pages.
taviro_add_bench(bench_models
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/models/bench_models.cpp
    LIBS taviro_core)
