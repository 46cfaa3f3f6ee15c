taviro_add_test(tst_formbody SOURCES server/tst_formbody.cpp LIBS taviro_service_lib LABELS server)
taviro_add_test(tst_apiservice SOURCES server/tst_apiservice.cpp LIBS taviro_service_lib LABELS server)
taviro_add_test(tst_servicehttp SOURCES server/tst_servicehttp.cpp server/signedclient.cpp server/signedclient.h
                LIBS taviro_service_lib LABELS server)
add_dependencies(tst_servicehttp taviro_service_certs)
taviro_add_test(tst_multipartform SOURCES server/tst_multipartform.cpp LIBS taviro_service_lib LABELS server)
taviro_add_test(tst_serviceendtoend SOURCES server/tst_serviceendtoend.cpp server/forwardingproxy.cpp
                server/forwardingproxy.h server/answerhandler.h LIBS taviro_service_lib taviro_core LABELS server)
add_dependencies(tst_serviceendtoend taviro_service_certs)
taviro_add_test(tst_servicemodels SOURCES server/tst_servicemodels.cpp LIBS taviro_service_lib taviro_core LABELS server)
taviro_add_test(tst_boundedserver SOURCES server/tst_boundedserver.cpp LIBS taviro_service_lib Qt5::Network LABELS server)
add_dependencies(tst_boundedserver taviro_service_certs)
