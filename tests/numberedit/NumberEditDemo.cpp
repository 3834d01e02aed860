// The three number fields of the dialogs side by side, at the dialogs' sizes.
// Usage: numberedit_demo [file.png]  — with a file, the window is saved there and the program ends.
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QTimer>

#include "UpdownNumberEdit.h"

namespace {

TUpdownNumberEdit* AddField(QFormLayout* form, const QString& label, int width) {
  auto* edit = new TUpdownNumberEdit;
  edit->setFixedSize(width, 21);
  form->addRow(label, edit);
  return edit;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("TUpdownNumberEdit"));
  auto* form = new QFormLayout(&window);

  TUpdownNumberEdit* trans = AddField(form, QStringLiteral("透明度 (0..255)"), 49);
  trans->SetFigure(0);
  trans->SetLimit(true);
  trans->SetMax(255);
  trans->SetMin(0);
  trans->SetValue(128);

  TUpdownNumberEdit* zoom = AddField(form, QStringLiteral("倍率 % (20..400, 10 刻み)"), 53);
  zoom->SetFigure(0);
  zoom->SetIncrement(10);
  zoom->SetLimit(true);
  zoom->SetMax(400);
  zoom->SetMin(20);
  zoom->SetMaxIntLength(3);
  zoom->SetValue(20);
  zoom->SetZeroEnabled(false);

  TUpdownNumberEdit* angle = AddField(form, QStringLiteral("角度 (-360..360)"), 69);
  angle->SetLimit(true);
  angle->SetMax(360);
  angle->SetMin(-360);
  angle->SetValue(-12.5L);

  window.show();
  if (argc > 1) {
    const QString file = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(300, &window, [&window, file] {
      window.grab().save(file);
      QApplication::quit();
    });
  }
  return application.exec();
}
