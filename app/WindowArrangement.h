#pragma once

class QMdiArea;

// The arrangements of the window menu that the frame does not offer by itself. Minimised
// windows stay where they are in the two tilings.
void TileOneAboveTheOther(QMdiArea& Area);  // each the full width of the frame
void TileSideBySide(QMdiArea& Area);        // each the full height of the frame
void ArrangeIcons(QMdiArea& Area);          // minimised windows in a row along the bottom
