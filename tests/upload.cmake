# Upload queue: the folders and the model on their own, then against the
# stand-in service (the restart test runs the queue in a process of its own).
taviro_add_test(tst_uploaderqueuemodel SOURCES upload/tst_uploaderqueuemodel.cpp service/captureserver.cpp
                service/captureserver.h LIBS taviro_core LABELS upload)
target_include_directories(tst_uploaderqueuemodel PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/service)

add_executable(uploadqueuerunner upload/uploadqueuerunner.cpp)
target_link_libraries(uploadqueuerunner PRIVATE taviro_core)
set_target_properties(uploadqueuerunner PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
taviro_add_test(tst_uploadqueueendtoend SOURCES upload/tst_uploadqueueendtoend.cpp server/forwardingproxy.cpp
                server/forwardingproxy.h server/answerhandler.h LIBS taviro_service_lib taviro_core LABELS upload)
add_dependencies(tst_uploadqueueendtoend uploadqueuerunner taviro_service_certs)
