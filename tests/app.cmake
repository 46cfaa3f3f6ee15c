taviro_add_test(tst_usermanager SOURCES tst_usermanager.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_common SOURCES tst_common.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_storagemanager SOURCES tst_storagemanager.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_smallutilities SOURCES tst_smallutilities.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_globalservices SOURCES tst_globalservices.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_startup SOURCES tst_startup.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_eventfilter SOURCES tst_eventfilter.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_qsysteminfomanager SOURCES tst_qsysteminfomanager.cpp LIBS taviro_core LABELS app)
taviro_add_test(tst_translations SOURCES tst_translations.cpp LIBS taviro_core LABELS app)
# Start-up finds the installed QML beside the executables' folder.
add_dependencies(tst_startup taviro_qml)
# The English plural forms and the sign-in page come from the built data.
add_dependencies(tst_translations taviro_qml taviro_translations)
