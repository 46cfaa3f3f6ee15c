# Service controller: API catalogue request shapes, photo upload request,
# result delivery to handlers. All talk to a capture proxy on loopback.
add_library(taviro_capture_proxy STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/service/proxycaptureserver.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/service/proxycaptureserver.h)
target_link_libraries(taviro_capture_proxy PUBLIC Qt5::Network Qt5::Test)
target_compile_definitions(taviro_capture_proxy PRIVATE TAVIRO_TEST_DATA="${TAVIRO_TEST_DATA}")

taviro_add_test(tst_servicecatalogue
    SOURCES service/tst_servicecatalogue.cpp
    LIBS taviro_core taviro_capture_proxy
    LABELS service)
taviro_add_test(tst_pictureuploadrequest
    SOURCES service/tst_pictureuploadrequest.cpp
    LIBS taviro_core taviro_capture_proxy
    LABELS service)
taviro_add_test(tst_servicecontroller
    SOURCES service/tst_servicecontroller.cpp
    LIBS taviro_core taviro_capture_proxy
    LABELS service)
