#include "Fonts.h"

QFont WindowFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  return font;
}

QFont JapaneseFont(const QStringList& Preferred, int Pixels) {
  QFont font;
  font.setFamilies(Preferred + QStringList{QStringLiteral("IPAPGothic"),
                                           QStringLiteral("IPAGothic"),
                                           QStringLiteral("Noto Sans CJK JP")});
  font.setPixelSize(Pixels);
  return font;
}
