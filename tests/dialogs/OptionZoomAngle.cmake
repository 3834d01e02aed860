levelora_add_test(dialogs_option_tests GUI SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OptionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZoomTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AngleTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionZoomAngleScreenshots.cpp
  LIBS dialogs)
# The editor tests' host.
target_include_directories(dialogs_option_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../editor)
