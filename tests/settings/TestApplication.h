#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

// Runs the whole test binary inside one application object named as the program is, so that
// the settings store derives "Levelora" for its folder and file names.
template <class TApplication>
class TApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    FApplication = std::make_unique<TApplication>(FArgc, FArgv);
    QCoreApplication::setApplicationName(QStringLiteral("Levelora"));
  }
  void TearDown() override { FApplication.reset(); }

 private:
  int FArgc = 1;
  char FName[16] = "settings_test";
  char* FArgv[2] = {FName, nullptr};
  std::unique_ptr<TApplication> FApplication;
};
