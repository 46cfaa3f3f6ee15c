# Qt Quick tests of the posting pages.
find_package(Qt5 5.15 REQUIRED COMPONENTS QuickTest)
taviro_add_test(tst_qml_posting SOURCES qml/posting/tst_qml_posting.cpp LIBS Qt5::QuickTest taviro_core LABELS qml)
target_compile_definitions(tst_qml_posting PRIVATE QUICK_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/qml/posting")
