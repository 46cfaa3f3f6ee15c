# Image cache: disk engine, shared table, loader item, providers, pruning.
foreach(name imagecacheengine imagecachemanager cacheableimageloader imageproviders imagecachethreads cachepruner)
    taviro_add_test(tst_${name}
        SOURCES cache/tst_${name}.cpp cache/cachefixture.h service/fakelargepictureservice.h
        LIBS taviro_core
        LABELS cache)
endforeach()
target_sources(tst_imagecachemanager PRIVATE service/captureserver.cpp service/captureserver.h)
target_include_directories(tst_imagecachemanager PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/service)
