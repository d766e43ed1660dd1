# In-process tests of the Win32 code; they run under Wine.
add_executable(velmora_win_tests
  main/form1_win_test.cpp
  runtime/platform_win_test.cpp
  ${VELMORA_RUNTIME_RC}
)
target_link_libraries(velmora_win_tests PRIVATE velmora_win velmora_test_support GTest::gtest_main)
add_test(NAME velmora_win_tests COMMAND velmora_win_tests)
