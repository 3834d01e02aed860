#include "ColorComboBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <array>

#include "ErrorGuard.h"
#include "SystemColors.h"

namespace {

struct TNamedColor {
  const char* Name;
  TColor Color;
};

constexpr std::array<TNamedColor, 20> kStandardColors{{
    {"Black", 0x000000},      {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},       {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},     {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},       {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    {"MoneyGreen", 0xC0DCC0}, {"SkyBlue", 0xF0CAA6}, {"Cream", 0xF0FBFF}, {"MedGray", 0xA4A0A0},
}};

QColor ToQColor(TColor Color) {
  const uint32_t rgb = ColorToRGB(Color);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& Color) {
  return Color.red() | Color.green() << 8 | Color.blue() << 16;
}

QIcon Swatch(TColor Color, QSize Size) {
  QPixmap pixmap(Size);
  pixmap.fill(ToQColor(Color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, Size.width() - 1, Size.height() - 1);
  return QIcon(pixmap);
}

}  // namespace

TColorComboBox::TColorComboBox(QWidget* Parent) : QComboBox(Parent) {
  setIconSize(QSize(22, 12));
  // The custom entry holds black until the user chooses a colour for it.
  addItem(Swatch(0, iconSize()), QStringLiteral("カスタム..."), 0);
  for (const TNamedColor& entry : kStandardColors)
    addItem(Swatch(entry.Color, iconSize()), QString::fromLatin1(entry.Name), entry.Color);
  setMaxVisibleItems(count());
  FLastIndex = currentIndex();
  FLastColor = Selected();
  // Only the user's picks arrive here (mouse, keys, wheel); SetSelected notifies by itself.
  connect(this, &QComboBox::activated, this,
          [this](int Index) { RunGuarded([this, Index] { ItemActivated(Index); }); });
}

TColor TColorComboBox::Selected() const { return currentData().toInt(); }

TColor TColorComboBox::CustomColor() const { return itemData(kCustomIndex).toInt(); }

void TColorComboBox::SetSelected(TColor Value) {
  // The custom entry may hold a listed colour's value too (black at first): look past it.
  int index = kCustomIndex + 1;
  while (index < count() && itemData(index).toInt() != Value) ++index;
  if (index == count()) {
    SetCustomColor(Value);
    index = kCustomIndex;
  }
  setCurrentIndex(index);
  CurrentIndexChanged();
}

void TColorComboBox::SetCustomColor(TColor Value) {
  setItemData(kCustomIndex, Value);
  setItemIcon(kCustomIndex, Swatch(Value, iconSize()));
}

void TColorComboBox::ItemActivated(int Index) {
  if (Index == kCustomIndex) {
    // Keep the old entry selected while the chooser is open, so a cancel changes nothing.
    setCurrentIndex(FLastIndex);
    if (const std::optional<TColor> chosen = FColorChooser(this, FLastColor)) {
      SetSelected(*chosen);
      return;
    }
  }
  CurrentIndexChanged();
}

void TColorComboBox::CurrentIndexChanged() {
  const TColor color = Selected();
  const bool changed = currentIndex() != FLastIndex || color != FLastColor;
  FLastIndex = currentIndex();
  FLastColor = color;
  if (changed && FOnChange) FOnChange(*this);
}

std::optional<TColor> TColorComboBox::ChooseWithDialog(QWidget* Parent, TColor Initial) {
  QColorDialog dialog(ToQColor(Initial), Parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}
