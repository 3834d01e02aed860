#pragma once

#include <QIcon>
#include <cstdint>

// What an editor asks of the window that owns it: the two preference colours it draws with, the
// running number for new images and the refresh of the undo command after each snapshot.
class TEditorHost {
 public:
  virtual ~TEditorHost() = default;
  // Background of rotated and mirrored canvases, packed 0xAARRGGBB.
  virtual uint32_t BackColor() const = 0;
  // Colour of the rubber band, 0x00BBGGRR.
  virtual uint32_t BandColor() const = 0;
  virtual int32_t IncNewImage() = 0;
  virtual void UndoChanged() = 0;
  // The images of the rotation pop-up, by index 0..4.
  virtual QIcon RotateImage(int Index) const = 0;
};
