# In-process tests of the Win32 code; they run under Wine.
add_executable(velmora_win_tests
  about/about_box_win_test.cpp
  about/advertise_win_test.cpp
  main/main_window_win_test.cpp
  runtime/services_win_test.cpp
  runtime/window_dpi_win_test.cpp
  shellmenu/registry_suite.cpp
  shellmenu/registry_under_test_win.cpp
  ${VELMORA_RUNTIME_RC}
)
target_link_libraries(velmora_win_tests PRIVATE velmora_win velmora_test_support GTest::gtest_main comdlg32)
add_test(NAME velmora_win_tests COMMAND velmora_win_tests)

# End to end: the real Velmora.exe with the real tool beside it.
add_executable(velmora_e2e_tests e2e/velmora_e2e_test.cpp)
target_include_directories(velmora_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(velmora_e2e_tests PRIVATE jhead_samples GTest::gtest_main gdi32 user32)
add_dependencies(velmora_e2e_tests Velmora jhead)
# A camera's picture with its GPS position (Wine reaches the build host's
# files on drive Z:).
set(test_pictures ${CMAKE_CURRENT_SOURCE_DIR}/jhead/pictures)
if(CMAKE_CROSSCOMPILING)
  set(test_pictures Z:${test_pictures})
endif()
target_compile_definitions(velmora_e2e_tests PRIVATE
  VELMORA_GPS_PICTURE="${test_pictures}/gps/DSCN0010.jpg" VELMORA_PICTURES="${test_pictures}")
add_test(NAME velmora_e2e_tests COMMAND velmora_e2e_tests)
# A process left hanging must not stall the whole run.
set_tests_properties(velmora_e2e_tests PROPERTIES TIMEOUT 1200)

# The release's executables read from outside: versions, manifests, icon.
# (The target of the same name builds what the test reads.)
# With makensis, the installer too.
add_custom_target(release_resources_test DEPENDS Velmora jhead velmora-verb)
if(VELMORA_MAKENSIS)
  add_dependencies(release_resources_test installer)
endif()
add_test(NAME release_resources_test
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/installer/release_resources_test.sh
                 ${CMAKE_RC_COMPILER} ${CMAKE_BINARY_DIR}/bin ${PROJECT_VERSION} ${VELMORA_SETUP})

# The installer, installed and removed again under Wine.
if(VELMORA_MAKENSIS)
  # The target of the same name builds what the test needs.
  add_custom_target(installer_test DEPENDS installer)
  add_test(NAME installer_test
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/installer/installer_test.sh ${VELMORA_SETUP}
                   ${CMAKE_CURRENT_SOURCE_DIR}/jhead/pictures/camera/Canon_40D.jpg)
endif()
