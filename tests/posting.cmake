# The posting pages' Qt Quick tests live in qml/posting/ and run in tst_qmlpages.

# The posting screens against the stand-in service, through the app's real
# start-up (the interface's harness).
add_library(taviro_postingflow STATIC ui/postingflow.cpp ui/postingflow.h ui/testphotos.cpp ui/testphotos.h)
target_link_libraries(taviro_postingflow PUBLIC taviro_uiharness)

# Screenshots of every posting screen (scripts/screenshots).
add_executable(postingtour ui/postingtour.cpp)
target_link_libraries(postingtour PRIVATE taviro_postingflow)
set_target_properties(postingtour PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
