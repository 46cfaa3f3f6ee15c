taviro_add_test(tst_oauthencrypt SOURCES service/tst_oauthencrypt.cpp LIBS taviro_signing LABELS service)
