# Tap to preview in the running app, through the interface's test harness.
taviro_add_bench(bench_taptopreview SOURCES posting/bench_taptopreview.cpp LIBS taviro_postingflow)
