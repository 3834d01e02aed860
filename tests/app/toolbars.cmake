# Tool-bar container and command images; included from tests/app/CMakeLists.txt.
levelora_add_test(app_toolbar_tests GUI
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolBarContainerTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CommandImagesTest.cpp
  LIBS levelora_app)
