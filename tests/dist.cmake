# The files desktop shells and software centres read, and the installed app.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
# desktop-file-validate fails on errors only: any warning fails here too.
add_test(NAME dist_desktop_entry
         COMMAND sh -c "out=$(\"$0\" --no-hints \"$1\") || { echo \"$out\"; exit 1; }; echo \"$out\"; [ -z \"$out\" ]"
                 ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/dist/org.taviro.taviro.desktop)
add_test(NAME dist_metainfo
         COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${PROJECT_SOURCE_DIR}/dist/org.taviro.taviro.metainfo.xml)
# cmake --install into a scratch prefix, then the launcher starts the app there.
add_test(NAME dist_install
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-install --cmake-install ${CMAKE_BINARY_DIR}
                 ${CMAKE_BINARY_DIR}/screenshots/install)
set_tests_properties(dist_desktop_entry dist_metainfo dist_install PROPERTIES LABELS dist)
set_tests_properties(dist_install PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software")
