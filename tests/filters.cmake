# Photo editor: primitives, filters, the worker, the manager, source preparation.
taviro_add_test(tst_pixelprimitives SOURCES filters/tst_pixelprimitives.cpp LIBS taviro_filters LABELS filters)
taviro_add_test(tst_tonecurvefilters SOURCES filters/tst_tonecurvefilters.cpp LIBS taviro_filters LABELS filters)
taviro_add_test(tst_filterapplier SOURCES filters/tst_filterapplier.cpp LIBS taviro_filters LABELS filters worker)
taviro_add_test(tst_filtermanager SOURCES filters/tst_filtermanager.cpp LIBS taviro_filters LABELS filters worker)
taviro_add_test(tst_imageprocessor SOURCES filters/tst_imageprocessor.cpp LIBS taviro_filters LABELS filters worker)
# The frame pictures are found below the build tree's qml/ui/, as when installed.
add_dependencies(tst_tonecurvefilters taviro_qml)
add_dependencies(tst_filtermanager taviro_qml)
