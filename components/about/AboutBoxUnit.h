#pragma once

#include <QDialog>
#include <functional>

#include "FocusLabel.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box itself; TAboutDialog fills it and shows it.
class TAboutBoxForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBoxForm(QWidget* Parent = nullptr);

  // Raised each time the box appears on screen.
  void SetOnShow(std::function<void()> Value) { FOnShow = std::move(Value); }

  QLabel* ApplicationNameLabel;
  QLabel* VersionLabel;
  QLabel* CopyrightLabel;
  QFrame* Bevel1;
  QPushButton* CloseButton;
  TFocusLabel* DescriptionLabel;
  TFocusLabel* SupportNameLabel;
  TFocusLabel* SupportURLLabel;
  QFrame* ImagePanel;
  QLabel* AppImage;
  QPlainTextEdit* CommentMemo;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  std::function<void()> FOnShow;
};
