#include <gtest/gtest.h>

#include <QApplication>

// Tests of widgets need one application object for the whole run.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Levelora"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
