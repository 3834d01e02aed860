#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "Types.h"

class QPainter;
class TExtIniFile;
class TfrmEdit;

// The loupe: a tool window that shows the 9 x 9 image pixels around the pointer of an editor as
// crisp blocks filling its client area, with the centre pixel framed in the rubber-band colour.
// It frees itself when closed and keeps its placement in the settings store.
class TfrmLupe : public QWidget {
 public:
  // Store should outlive the loupe; one that goes first only costs the placement. BandColor is
  // asked at every paint (0x00BBGGRR or a system-colour code). OnDestroyed runs last in the
  // destructor, after the placement is written, so that the owner can drop its reference.
  TfrmLupe(QWidget* Owner, TExtIniFile& Store, std::function<uint32_t()> BandColor,
           std::function<void()> OnDestroyed);
  ~TfrmLupe() override;

  // Shows the pixels around (X, Y) of Target's image and repaints at once.
  void UpdateLoupe(TfrmEdit* Target, intptr_t X, intptr_t Y);

  QWidget* pbxLupe() const { return FpbxLupe; }
  // The editor shown; null before the first update and once that editor is gone.
  TfrmEdit* Target() const { return FTarget.data(); }
  const TPoint& Points() const { return FPoints; }

  // Squares a proposed client size to 9n x 9n, each image pixel an n x n block, n at least 4.
  // Returns false when the size is to stay as it is. Growing or shrinking is judged against the
  // last accepted size.
  bool FormCanResize(int& NewWidth, int& NewHeight) const;

  void pbxLupePaint(QPainter& Painter);

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void SetTarget(TfrmEdit* Target);

  QWidget* FpbxLupe = nullptr;
  // The last client size the loupe accepted; a resize from it is growing or shrinking.
  QSize FOldWin;
  TPoint FPoints;
  QPointer<TfrmEdit> FTarget;
  QMetaObject::Connection FTargetGone;

  QPointer<TExtIniFile> FStore;
  std::function<uint32_t()> FBandColor;
  std::function<void()> FOnDestroyed;
};
