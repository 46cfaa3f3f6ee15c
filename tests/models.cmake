# Feed models: one executable per model family or concern.
set(MODELS_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/models)

foreach(name timelinemodel photogridmodels notificationsmodel profileview peoplelists modelsrobustness modelscontract)
    taviro_add_test(tst_${name}
        SOURCES ${MODELS_TEST_DIR}/tst_${name}.cpp ${MODELS_TEST_DIR}/modelstesthelpers.h
        LIBS taviro_core
        LABELS models)
endforeach()
