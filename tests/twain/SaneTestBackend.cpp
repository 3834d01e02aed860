#include "SaneTestBackend.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

TSaneTestBackend::TSaneTestBackend(const QStringList& Settings) {
  QFile defaults(QStringLiteral("/etc/sane.d/test.conf"));
  EXPECT_TRUE(defaults.open(QIODevice::ReadOnly));
  QStringList lines = QString::fromUtf8(defaults.readAll()).split(QLatin1Char('\n'));
  for (const QString& setting : Settings) {
    const QString name = setting.section(QLatin1Char(' '), 0, 0);
    lines.removeIf(
        [&](const QString& Line) { return Line.section(QLatin1Char(' '), 0, 0) == name; });
    lines << setting;
  }
  QFile conf(FFolder.filePath(QStringLiteral("test.conf")));
  EXPECT_TRUE(conf.open(QIODevice::WriteOnly));
  conf.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
  QFile dll(FFolder.filePath(QStringLiteral("dll.conf")));
  EXPECT_TRUE(dll.open(QIODevice::WriteOnly));
  dll.write("test\n");
  qputenv("SANE_CONFIG_DIR", FFolder.path().toLocal8Bit());
}

TSaneTestBackend::~TSaneTestBackend() { qunsetenv("SANE_CONFIG_DIR"); }

void WhenShown(const QString& Name, std::function<void(QWidget*)> Work) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, Name, Work] {
    QWidget* widget = FindTopLevel<QWidget>(Name);
    if (widget == nullptr) return;
    timer->stop();
    timer->deleteLater();
    Work(widget);
  });
  timer->start();
}
