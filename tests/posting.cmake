# The posting pages' Qt Quick tests live in qml/posting/ and run in tst_qmlpages.

# The posting screens against the stand-in service, through the app's real
# start-up (the interface's harness).
add_library(taviro_postingflow STATIC ui/postingflow.cpp ui/postingflow.h ui/testphotos.cpp ui/testphotos.h)
target_link_libraries(taviro_postingflow PUBLIC taviro_uiharness)

# Screenshots of every posting screen (scripts/screenshots).
add_executable(postingtour ui/postingtour.cpp)
target_link_libraries(postingtour PRIVATE taviro_postingflow)
set_target_properties(postingtour PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

# Posting from the gallery and from the camera, until the photo tops the home
# timeline. The camera is QtMultimedia's GStreamer backend taking a FIFO at
# /dev/video0 (made by the test as root) for a device, with the V4L2 shim.
taviro_add_test(tst_posting_endtoend SOURCES ui/tst_posting_endtoend.cpp LIBS taviro_postingflow LABELS ui)
add_dependencies(tst_posting_endtoend taviro_v4l2shim)
set_property(TEST tst_posting_endtoend APPEND PROPERTY ENVIRONMENT
    "LD_PRELOAD=$<TARGET_FILE:taviro_v4l2shim>" "QT_GSTREAMER_CAMERABIN_VIDEOSRC=videotestsrc")
set_property(TEST tst_posting_endtoend PROPERTY RUN_SERIAL TRUE)
