# Photo editor: primitives, filters, the worker, the manager, source preparation.
taviro_add_test(tst_pixelprimitives SOURCES filters/tst_pixelprimitives.cpp LIBS taviro_filters LABELS filters)
taviro_add_test(tst_tonecurvefilters SOURCES filters/tst_tonecurvefilters.cpp LIBS taviro_filters LABELS filters)
taviro_add_test(tst_filterapplier SOURCES filters/tst_filterapplier.cpp LIBS taviro_filters LABELS filters worker)
taviro_add_test(tst_filtermanager SOURCES filters/tst_filtermanager.cpp LIBS taviro_filters LABELS filters worker)
taviro_add_test(tst_imageprocessor SOURCES filters/tst_imageprocessor.cpp LIBS taviro_filters LABELS filters worker)
# The frame pictures are found below the build tree's qml/ui/, as when installed.
add_dependencies(tst_tonecurvefilters taviro_qml)
add_dependencies(tst_filtermanager taviro_qml)

# The worker paths under ThreadSanitizer, in a build directory of its own
# (scripts/tsan): cmake -DTAVIRO_TSAN=ON, then ctest -L tsan.
option(TAVIRO_TSAN "Build the filter worker tests with ThreadSanitizer" OFF)
if(TAVIRO_TSAN)
    set(tsan_tests tst_filterapplier tst_filtermanager tst_imageprocessor)
    foreach(target taviro_filters ${tsan_tests})
        target_compile_options(${target} PRIVATE -fsanitize=thread)
        target_link_options(${target} PRIVATE -fsanitize=thread)
    endforeach()
    # Whatever links the instrumented library needs the runtime too (the
    # tools that draw the filter pictures for these tests, say).
    target_link_options(taviro_filters INTERFACE -fsanitize=thread)
    set_tests_properties(${tsan_tests} PROPERTIES
        LABELS "filters;tsan"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;TSAN_OPTIONS=suppressions=${TAVIRO_TEST_DATA}/filters/tsan.supp history_size=7")
endif()

# The overlay, colour-cube, spatial and selective filters read the installed pictures.
foreach(test colourcubefilters framefilters spatialfilters)
    taviro_add_test(tst_${test} SOURCES filters/tst_${test}.cpp LIBS taviro_filters LABELS filters)
    add_dependencies(tst_${test} taviro_qml)
endforeach()
