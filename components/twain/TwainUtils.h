#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>

#include "twain.h"

// The program's TWAIN session: loads the source manager library, opens the manager and a data
// source, lets the user choose the source and brings one image across. Every failed manager call
// throws Exception with a readable text. The manager and source stay open between commands and
// are closed when the object is destroyed.
class TTwain {
 public:
  TTwain();
  ~TTwain();
  TTwain(const TTwain&) = delete;
  TTwain& operator=(const TTwain&) = delete;

  // Shows the manager's list of sources; true when the user made one the current source.
  bool SelectDevice(QWidget* Parent);
  // Brings the current source up (with its own dialog when UI is true) and waits, dispatching
  // the application's events, until it delivers an image or is closed. True exactly when a
  // complete image was placed into Bitmap.
  bool TransferImage(QImage& Bitmap, bool UI, QWidget* Parent);
  // One-value capabilities in TWAIN's fixed-point format, of the open source.
  double GetFloatValue(TW_UINT16 Cap);
  void SetFloatValue(TW_UINT16 Cap, double NewValue);

  bool ManagerOpen() const { return DSMOpened; }
  bool SourceOpen() const { return DSOpened; }
  bool SourceEnabled() const { return DSEnabled; }
  const TW_IDENTITY& Application() const { return AppId; }
  const TW_IDENTITY& Source() const { return SrcId; }

 private:
  friend class TTransferFilter;

  TW_UINT16 DsmCall(TW_IDENTITY* Origin, TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT,
                    TW_UINT16 MSG, TW_MEMREF Data);
  TW_UINT16 AppCall(TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF Data);
  void CheckedCall(TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF Data);
  [[noreturn]] void RaiseTwainError(TW_IDENTITY* Dest);

  void OpenSourceManager(QWidget* Parent);
  void CloseSourceManager();
  void OpenSource();
  void CloseSource();
  TW_UINT16 UserSelectSource();
  void EnableSource(bool ShowUI, bool ModalUI, QWidget* Parent);
  void DisableSource();

  bool WaitForTransfer(QImage& Bitmap);
  bool IsSourceEvent(QEvent* Event, TW_UINT16& Message);
  bool TransferNative(QImage& Bitmap);

  QWidget* HandleWnd = nullptr;
  TW_IDENTITY AppId;
  TW_IDENTITY SrcId;
  bool DSMOpened = false;
  bool DSOpened = false;
  bool DSEnabled = false;
};

// The program's one session, created on first use and freed when the application ends.
TTwain& SharedTwain();
void ReleaseSharedTwain();

// The manager library loaded by the next session that finds none alive.
void SetManagerLibraryName(const QString& FileName);

// The readable text of a TWAIN condition code; empty for codes without one.
QString ConditionText(TW_UINT16 Code);
// Copies the low byte of each character, at most 33, NUL-terminated from the first byte on.
void CopyToStr32(TW_STR32& Target, const QString& Source);

double RoundHalfAway(double Value);
double Fix32ToFloat(TW_FIX32 Value);
TW_FIX32 FloatToFix32(double Value);

// Loads a DIB (info or core header, as a source hands it over) into Bitmap through a bitmap
// file image built around it. A DIB whose header, palette or pixel bits do not fit its Size
// throws Exception instead of being read past its end.
void DibToBitmap(QImage& Bitmap, const uint8_t* Dib, size_t Size);
