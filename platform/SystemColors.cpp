#include "SystemColors.h"

#include <QApplication>
#include <QPalette>
#include <array>
#include <utility>

namespace {

using G = QPalette::ColorGroup;
using R = QPalette::ColorRole;

// The palette colour standing in for each system colour, by the system colour's index.
constexpr std::array<std::pair<G, R>, 31> kSystemColors{{
    {G::Active, R::Button},             // scroll bar
    {G::Active, R::Dark},               // desktop
    {G::Active, R::Highlight},          // active caption
    {G::Inactive, R::Highlight},        // inactive caption
    {G::Active, R::Window},             // menu
    {G::Active, R::Base},               // window
    {G::Active, R::Shadow},             // window frame
    {G::Active, R::WindowText},         // menu text
    {G::Active, R::Text},               // window text
    {G::Active, R::HighlightedText},    // caption text
    {G::Active, R::Window},             // active border
    {G::Inactive, R::Window},           // inactive border
    {G::Active, R::Dark},               // application workspace
    {G::Active, R::Highlight},          // highlight
    {G::Active, R::HighlightedText},    // highlighted text
    {G::Active, R::Button},             // button face
    {G::Active, R::Dark},               // button shadow
    {G::Disabled, R::Text},             // grey text
    {G::Active, R::ButtonText},         // button text
    {G::Inactive, R::HighlightedText},  // inactive caption text
    {G::Active, R::Light},              // button highlight
    {G::Active, R::Shadow},             // 3-D dark shadow
    {G::Active, R::Midlight},           // 3-D light
    {G::Active, R::ToolTipText},        // tool tip text
    {G::Active, R::ToolTipBase},        // tool tip background
    {G::Active, R::Window},             // (unused index)
    {G::Active, R::Link},               // hot-tracked item
    {G::Active, R::Highlight},          // gradient of the active caption
    {G::Inactive, R::Highlight},        // gradient of the inactive caption
    {G::Active, R::Highlight},          // menu highlight
    {G::Active, R::Window},             // menu bar
}};

}  // namespace

uint32_t ColorToRGB(int32_t Color) {
  const auto value = static_cast<uint32_t>(Color);
  if ((value & 0xFF000000u) == 0) return value;
  const uint32_t index = value & 0xFF;
  // An index beyond the known ones reads as black, the way an unknown system colour does.
  if (index >= kSystemColors.size()) return 0;
  const auto [group, role] = kSystemColors[index];
  const QColor c = QApplication::palette().color(group, role);
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

uint32_t PackBackColor(int32_t Color, int32_t Alpha) {
  const uint32_t rgb = ColorToRGB(Color);
  const uint32_t alpha = static_cast<uint32_t>(Alpha) & 0xFF;
  return alpha << 24 | (rgb & 0xFF) << 16 | ((rgb >> 8) & 0xFF) << 8 | ((rgb >> 16) & 0xFF);
}
