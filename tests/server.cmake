taviro_add_test(tst_formbody SOURCES server/tst_formbody.cpp LIBS taviro_service_lib LABELS server)
taviro_add_test(tst_apiservice SOURCES server/tst_apiservice.cpp LIBS taviro_service_lib LABELS server)
