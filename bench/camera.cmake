# Camera and gallery benchmarks.
taviro_add_bench(bench_thumbnailer SOURCES camera/bench_thumbnailer.cpp LIBS taviro_camera)
taviro_add_bench(bench_viewfinder SOURCES camera/bench_viewfinder.cpp LIBS taviro_camera)
taviro_add_bench(bench_photomodel SOURCES camera/bench_photomodel.cpp LIBS taviro_camera)
