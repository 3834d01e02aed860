#include "AboutBoxUnit.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ErrorGuard.h"
#include "Fonts.h"

namespace {

QFont BoxFont() {
  return JapaneseFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")}, 12);
}

TFocusLabel* NewFocusLabel(QWidget* Parent, const QRect& Geometry, bool WordWrap) {
  auto* label = new TFocusLabel(Parent);
  // The Japanese faces here are taller than the box was laid out for; keep descenders whole.
  label->setGeometry(
      Geometry.adjusted(0, 0, 0, qMax(0, label->fontMetrics().height() - Geometry.height())));
  label->setWordWrap(WordWrap);
  label->SetFontChange(false);
  QFont focused = BoxFont();
  focused.setUnderline(true);
  label->SetFocusedFont(focused);
  label->SetFocusedColor(Qt::blue);
  return label;
}

QLabel* NewLabel(QWidget* Parent, const QPoint& Position) {
  auto* label = new QLabel(Parent);
  label->move(Position);
  return label;
}

}  // namespace

TAboutBoxForm::TAboutBoxForm(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  setFont(BoxFont());
  setFixedSize(372, 234);

  ImagePanel = new QFrame(this);
  ImagePanel->setGeometry(4, 8, 61, 61);
  ImagePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ImagePanel->setLineWidth(2);
  AppImage = new QLabel(ImagePanel);
  AppImage->setAlignment(Qt::AlignCenter);
  auto* imageLayout = new QVBoxLayout(ImagePanel);
  imageLayout->setContentsMargins(2, 2, 2, 2);
  imageLayout->addWidget(AppImage);

  ApplicationNameLabel = NewLabel(this, {72, 8});
  QFont nameFont = BoxFont();
  nameFont.setPixelSize(16);
  ApplicationNameLabel->setFont(nameFont);
  VersionLabel = NewLabel(this, {72, 32});

  DescriptionLabel = NewFocusLabel(this, {72, 48, 285, 37}, true);

  CopyrightLabel = new QLabel(this);
  CopyrightLabel->setGeometry(8, 92, 325, 25);
  CopyrightLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  CopyrightLabel->setWordWrap(true);

  CommentMemo = new QPlainTextEdit(this);
  CommentMemo->setGeometry(8, 124, 273, 53);
  CommentMemo->setReadOnly(true);
  CommentMemo->setFocusPolicy(Qt::NoFocus);
  CommentMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette memoPalette = CommentMemo->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Window));
  CommentMemo->setPalette(memoPalette);

  CloseButton = new QPushButton(QStringLiteral("閉じる(&C)"), this);
  CloseButton->setGeometry(288, 152, 75, 25);
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

  Bevel1 = new QFrame(this);
  Bevel1->setGeometry(8, 184, 353, 2);
  Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  SupportNameLabel = NewFocusLabel(this, {8, 196, 325, 12}, false);
  SupportURLLabel = NewFocusLabel(this, {8, 212, 325, 12}, false);

  CloseButton->setFocus();
}

void TAboutBoxForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (FOnShow) RunGuarded(FOnShow);
}
