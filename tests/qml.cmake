# Qt Quick Test: the pages' logic against a stand-in controller.
add_executable(tst_qmlpages qml/tst_qmlpages.cpp)
target_link_libraries(tst_qmlpages PRIVATE taviro_core Qt5::QuickTest)
target_compile_definitions(tst_qmlpages PRIVATE
    QUICK_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/qml"
    TAVIRO_QML_TESTS="${CMAKE_CURRENT_SOURCE_DIR}/qml"
    TAVIRO_QML_SOURCE="${PROJECT_SOURCE_DIR}/qml")
set_target_properties(tst_qmlpages PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_test(NAME tst_qmlpages COMMAND tst_qmlpages)
set_tests_properties(tst_qmlpages PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;QTEST_DISABLE_STACK_DUMP=1"
    TIMEOUT 300 LABELS "ui")
