#include "untDefine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

QRect TPoints::Rect() const {
  const int32_t left = std::min(P1.X, P2.X), top = std::min(P1.Y, P2.Y);
  const int32_t right = std::max(P1.X, P2.X), bottom = std::max(P1.Y, P2.Y);
  return QRect(left, top, right - left, bottom - top);
}

TRotateAngle TRotateAngle::Create(const TPoints& APoints) {
  TRotateAngle result;
  result.Points = APoints;
  const TPoint& p1 = APoints.P1;
  const TPoint& p2 = APoints.P2;
  if (p2.X == p1.X) {
    // Plumb, or no line at all: the vertical case is tested first.
    result.Angle = -90;
  } else if (p2.Y == p1.Y) {
    result.Angle = 0;
  } else {
    // The same quotient whichever point comes first, always with a positive divisor. It is held
    // as a double, as the angles the program has always shown were computed from it (a slope of
    // 1/10 gives 5.710593137499643); the arctangent and the product run in extended precision.
    const double q = p2.X > p1.X ? static_cast<double>(p2.Y - p1.Y) / (p2.X - p1.X)
                                 : static_cast<double>(p1.Y - p2.Y) / (p1.X - p2.X);
    result.Angle = static_cast<double>(std::atan(static_cast<long double>(q)) * 180.0L /
                                       std::numbers::pi_v<long double>);
  }
  return result;
}

double TRotateAngle::LeftHorzAngle() const { return Angle > 0 ? Angle : Angle + 180; }
double TRotateAngle::LeftVertAngle() const { return Angle + 90; }
double TRotateAngle::RightHorzAngle() const { return Angle > 0 ? 180 - Angle : -Angle; }
double TRotateAngle::RightVertAngle() const { return 90 - Angle; }

void TUndoItem::WriteBitmap(const imaging::TGPBitmap& Bitmap) {
  FImage = Bitmap.CloneArea(QRect(0, 0, Bitmap.Width(), Bitmap.Height()));
}

void TUndoItem::WriteBitmap(std::unique_ptr<imaging::TGPBitmap>&& Bitmap) {
  if (Bitmap->PixelFormat() == QImage::Format_ARGB32 || Bitmap->AdoptAsArgb())
    FImage = std::move(Bitmap);
  else
    WriteBitmap(*Bitmap);
}

std::unique_ptr<imaging::TGPBitmap> TUndoItem::ReadBitmap() const {
  return FImage->CloneArea(QRect(0, 0, FImage->Width(), FImage->Height()));
}

std::unique_ptr<imaging::TGPBitmap> TUndoItem::TakeBitmap() { return std::move(FImage); }

void TUndoStack::Push(const imaging::TGPBitmap& Bitmap) {
  auto item = std::make_unique<TUndoItem>();
  item->WriteBitmap(Bitmap);
  Append(std::move(item));
}

void TUndoStack::Push(std::unique_ptr<imaging::TGPBitmap>&& Bitmap) {
  auto item = std::make_unique<TUndoItem>();
  item->WriteBitmap(std::move(Bitmap));
  Append(std::move(item));
}

void TUndoStack::Append(std::unique_ptr<TUndoItem> Item) {
  // A picture without pixels has no copy and never becomes an entry.
  if (!Item->Image()) return;
  FStack.push_back(std::move(Item));
  Trim();
}

std::unique_ptr<imaging::TGPBitmap> TUndoStack::Pop() {
  auto image = FStack.back()->TakeBitmap();
  FStack.pop_back();
  return image;
}

void TUndoStack::Extract() { FStack.erase(FStack.begin()); }

void TUndoStack::Clear() { FStack.clear(); }

void TUndoStack::SetMaxSize(int64_t Value) {
  FMaxSize = std::max<int64_t>(Value, 0);
  Trim();
}

void TUndoStack::Trim() {
  if (FMaxSize <= 0) return;
  while (Count() > FMaxSize) Extract();
}
