taviro_add_bench(bench_startup SOURCES app/bench_startup.cpp LIBS taviro_core)
add_dependencies(bench_startup taviro_qml)
