#pragma once

#include <QImage>
#include <cstdint>

namespace imaging {

// Reads rows of an image of any format as 32-bit pixels of one target format (ARGB32 or
// ARGB32_Premultiplied), converted exactly as Qt converts; rows already in the target format are
// returned in place. One converter per thread.
class RowConverter {
 public:
  RowConverter(const QImage& source, QImage::Format target);
  // Row y from pixel x on; valid until the next call.
  const std::uint32_t* Row(int y, int x);

 private:
  const QImage& FSource;
  QImage::Format FTarget;
  bool FDirect;
  QImage FConverted;
};

// Converts the area of the source into target, an image of the area's size in ARGB32 or
// ARGB32_Premultiplied, on every core.
void ConvertArea(const QImage& source, const QRect& area, QImage& target);

}  // namespace imaging
