# The interface against the stand-in service: the app's real start-up in the
# test's process, driven through its items.
add_library(taviro_uiharness STATIC ui/uiharness.cpp ui/uiharness.h server/forwardingproxy.cpp server/forwardingproxy.h)
target_link_libraries(taviro_uiharness PUBLIC taviro_core taviro_service_lib Qt5::Test)
add_dependencies(taviro_uiharness taviro_qml taviro_service_certs)

# Screenshots of every screen (scripts/screenshots).
add_executable(uitour ui/uitour.cpp)
target_link_libraries(uitour PRIVATE taviro_uiharness)
set_target_properties(uitour PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

taviro_add_test(tst_uiendtoend SOURCES ui/tst_uiendtoend.cpp LIBS taviro_uiharness LABELS ui)
