#pragma once

#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

#include "TGPBitmap.h"
#include "Types.h"

// Image coordinates are pixels, X to the right and Y downwards, so an angle in degrees that is
// positive turns clockwise on the screen.

// Start and end of a dragged line or rectangle, in image pixels.
struct TPoints {
  TPoint P1;
  TPoint P2;

  // The rectangle spanned by the two points: columns Left..Right-1, rows Top..Bottom-1.
  QRect Rect() const;
};

// The slope of a line with the four turns that would make it level or plumb. The turns are
// magnitudes: a counter-clockwise turn is requested from the rotation as the negated Left value.
struct TRotateAngle {
  double Angle = 0;  // degrees, -90 <= Angle < 90; positive falls to the right
  TPoints Points;

  static TRotateAngle Create(const TPoints& APoints);

  double LeftHorzAngle() const;
  double LeftVertAngle() const;
  double RightHorzAngle() const;
  double RightVertAngle() const;
};

enum class TEditMode { emSelect, emRevise };
enum class TMirrorMode { mmHorizontal, mmVertical };

// One saved picture, always 32-bit ARGB and owned by the item alone.
class TUndoItem {
 public:
  // Keeps a copy of the whole bitmap; the bitmap stays the caller's.
  void WriteBitmap(const imaging::TGPBitmap& Bitmap);
  // Takes the bitmap itself when it is 32-bit ARGB or opaque 32-bit RGB, sparing a copy when the
  // caller is about to discard it anyway; other formats are copied. When the copy fails the
  // caller keeps Bitmap.
  void WriteBitmap(std::unique_ptr<imaging::TGPBitmap>&& Bitmap);
  // A new copy for the caller; the item keeps its own.
  std::unique_ptr<imaging::TGPBitmap> ReadBitmap() const;
  // Hands the item's picture over; the item is empty afterwards.
  std::unique_ptr<imaging::TGPBitmap> TakeBitmap();
  const imaging::TGPBitmap* Image() const { return FImage.get(); }

 private:
  std::unique_ptr<imaging::TGPBitmap> FImage;
};

// The pictures that edits replaced, newest last.
class TUndoStack {
 public:
  // Both overloads add nothing when the picture cannot be stored (they throw instead).
  void Push(const imaging::TGPBitmap& Bitmap);
  void Push(std::unique_ptr<imaging::TGPBitmap>&& Bitmap);
  // The newest picture, removed from the stack. Only called when Count() > 0.
  std::unique_ptr<imaging::TGPBitmap> Pop();
  // Drops the oldest entry.
  void Extract();
  void Clear();

  const TUndoItem& Items(int64_t Index) const { return *FStack.at(Index); }
  int64_t Count() const { return static_cast<int64_t>(FStack.size()); }
  int64_t MaxSize() const { return FMaxSize; }
  // 0 keeps every entry; a negative size counts as 0.
  void SetMaxSize(int64_t Value);

 private:
  void Append(std::unique_ptr<TUndoItem> Item);
  void Trim();

  int64_t FMaxSize = 0;
  std::vector<std::unique_ptr<TUndoItem>> FStack;
};
