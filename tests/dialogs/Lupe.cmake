levelora_add_test(dialogs_lupe_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/LupeTest.cpp LIBS dialogs)
# The editor tests' host and window fixture.
target_include_directories(dialogs_lupe_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../editor)
