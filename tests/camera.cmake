# Camera, capture keys, gallery picker and the simple image item.

# A camera backend for the camera item's tests, found through the tests'
# own plugin folder.
set(TAVIRO_TEST_PLUGIN_DIR ${CMAKE_BINARY_DIR}/tests/plugins)
add_library(taviro_fakecamera MODULE
    camera/fakecamera/fakecameracontrols.cpp camera/fakecamera/fakecameracontrols.h
    camera/fakecamera/fakecameraplugin.cpp camera/fakecamera/fakecameraplugin.h)
target_link_libraries(taviro_fakecamera PRIVATE Qt5::Multimedia)
set_target_properties(taviro_fakecamera PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${TAVIRO_TEST_PLUGIN_DIR}/mediaservice)

taviro_add_test(tst_tavirocamera SOURCES camera/tst_tavirocamera.cpp LIBS taviro_camera LABELS camera)
target_compile_definitions(tst_tavirocamera PRIVATE TAVIRO_TEST_PLUGIN_DIR="${TAVIRO_TEST_PLUGIN_DIR}")
add_dependencies(tst_tavirocamera taviro_fakecamera)

taviro_add_test(tst_tavirocamera_nocamera SOURCES camera/tst_tavirocamera_nocamera.cpp LIBS taviro_camera Qt5::Qml LABELS camera)
taviro_add_test(tst_myvideosurface SOURCES camera/tst_myvideosurface.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_focuszoneitem SOURCES camera/tst_focuszoneitem.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_symbiancameracapturer SOURCES camera/tst_symbiancameracapturer.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_simpleimage SOURCES camera/tst_simpleimage.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_photomodel SOURCES camera/tst_photomodel.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_thumbnailer SOURCES camera/tst_thumbnailer.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_photoitem SOURCES camera/tst_photoitem.cpp LIBS taviro_camera LABELS camera)
taviro_add_test(tst_photopicker SOURCES camera/tst_photopicker.cpp LIBS taviro_camera LABELS camera)
