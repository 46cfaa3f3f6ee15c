# Image cache: disk engine, shared table, loader item, providers, pruning.
foreach(name imagecacheengine imagecachemanager cacheableimageloader imageproviders imagecachethreads cachepruner)
    taviro_add_test(tst_${name}
        SOURCES cache/tst_${name}.cpp cache/cachefixture.h service/fakelargepictureservice.h
        LIBS taviro_core
        LABELS cache)
endforeach()
target_sources(tst_imagecachemanager PRIVATE service/captureserver.cpp service/captureserver.h)
target_include_directories(tst_imagecachemanager PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/service)

# The reader-thread stress test under ThreadSanitizer too (scripts/tsan),
# with the application library it exercises instrumented.
if(TAVIRO_TSAN)
    foreach(target taviro_core tst_imagecachethreads)
        target_compile_options(${target} PRIVATE -fsanitize=thread)
        target_link_options(${target} PRIVATE -fsanitize=thread)
    endforeach()
    target_link_options(taviro_core INTERFACE -fsanitize=thread)
    set_tests_properties(tst_imagecachethreads PROPERTIES
        LABELS "cache;tsan"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;TSAN_OPTIONS=suppressions=${TAVIRO_TEST_DATA}/filters/tsan.supp history_size=7")
endif()
