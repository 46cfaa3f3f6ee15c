# Photo editor: every filter at preview, final and large sizes, the preview end
# to end (tap to file written), and the JPEG decode + encode floor.
taviro_add_bench(bench_filters SOURCES filters/bench_filters.cpp LIBS taviro_filters)
add_dependencies(bench_filters taviro_qml)
