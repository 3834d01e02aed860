levelora_add_test(dialogs_help_tests GUI
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HelpFinderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/HelpTest.cpp
  LIBS dialogs)
