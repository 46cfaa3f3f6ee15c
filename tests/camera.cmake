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
taviro_add_test(tst_photoitem SOURCES camera/tst_photoitem.cpp LIBS taviro_camera Qt5::Qml LABELS camera)
taviro_add_test(tst_photopicker SOURCES camera/tst_photopicker.cpp LIBS taviro_camera LABELS camera)

# A real capture through QtMultimedia's GStreamer backend: a FIFO at
# /dev/video0, made in a private mount namespace by privatedevice.sh, passes
# for a camera with the help of a preloaded V4L2 shim; frames come from
# videotestsrc.
add_library(taviro_v4l2shim SHARED camera/fakecamera/v4l2shim.c)
target_link_libraries(taviro_v4l2shim PRIVATE ${CMAKE_DL_LIBS})
# Preloaded into every process of the test, uninstrumented ones (the shell,
# GStreamer's plugin scanner) among them: it carries no sanitizer runtime.
if(TAVIRO_SANITIZE OR TAVIRO_FUZZ)
  target_compile_options(taviro_v4l2shim PRIVATE -fno-sanitize=all)
  target_link_options(taviro_v4l2shim PRIVATE -fno-sanitize=all)
endif()
set_target_properties(taviro_v4l2shim PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${TAVIRO_TEST_PLUGIN_DIR})
taviro_add_test(tst_camera_capture SOURCES camera/tst_camera_capture.cpp LIBS taviro_camera LABELS camera
                WRAPPER ${CMAKE_CURRENT_SOURCE_DIR}/camera/privatedevice.sh)
add_dependencies(tst_camera_capture taviro_v4l2shim)
set_property(TEST tst_camera_capture APPEND PROPERTY ENVIRONMENT
    "LD_PRELOAD=$<TARGET_FILE:taviro_v4l2shim>" "QT_GSTREAMER_CAMERABIN_VIDEOSRC=videotestsrc")
set_property(TEST tst_camera_capture PROPERTY RUN_SERIAL TRUE)
