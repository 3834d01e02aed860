#include "RowConverter.h"

#include <cstring>

#include "ParallelRows.h"

namespace imaging {

RowConverter::RowConverter(const QImage& source, QImage::Format target)
    : FSource(source), FTarget(target), FDirect(source.format() == target) {}

const std::uint32_t* RowConverter::Row(int y, int x) {
  if (FDirect) return reinterpret_cast<const std::uint32_t*>(FSource.constScanLine(y)) + x;
  // A one-row view of the source (a bit-packed row cannot start mid-byte, so the whole row).
  QImage row(FSource.constScanLine(y), FSource.width(), 1, FSource.bytesPerLine(),
             FSource.format());
  if (!FSource.colorTable().isEmpty()) row.setColorTable(FSource.colorTable());
  FConverted = row.convertToFormat(FTarget);
  return reinterpret_cast<const std::uint32_t*>(FConverted.constScanLine(0)) + x;
}

void ConvertArea(const QImage& source, const QRect& area, QImage& target) {
  uchar* const bits = target.bits();
  const qsizetype bytesPerLine = target.bytesPerLine();
  ParallelRows(area.height(), [&](int begin, int end) {
    RowConverter rows(source, target.format());
    for (int y = begin; y < end; ++y)
      std::memcpy(bits + y * bytesPerLine, rows.Row(area.top() + y, area.left()),
                  std::size_t(area.width()) * 4);
  });
}

}  // namespace imaging
