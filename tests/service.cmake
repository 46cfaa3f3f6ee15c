taviro_add_test(tst_oauthencrypt SOURCES service/tst_oauthencrypt.cpp LIBS taviro_signing LABELS service)
taviro_add_test(tst_serviceengine SOURCES service/tst_serviceengine.cpp service/deflated.h service/captureserver.cpp service/captureserver.h
                LIBS taviro_core LABELS service)
taviro_add_test(tst_gzinflater SOURCES service/tst_gzinflater.cpp service/deflated.h LIBS taviro_core LABELS service)
taviro_add_test(tst_networkmanagers SOURCES service/tst_networkmanagers.cpp service/captureserver.cpp
                service/captureserver.h service/fakelargepictureservice.h LIBS taviro_core LABELS service)
