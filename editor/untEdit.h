#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

#include "TEditorHost.h"
#include "TGPBitmap.h"
#include "untDefine.h"

class QLabel;
class QMdiArea;
class QMenu;
class QAction;
class QScrollArea;
class QStatusBar;
class TFramePanel;
class TEditPaintBox;

enum class TZoomState { zsSame, zsAll, zsZoomIn, zsZoomOut, zsZoomAs };

class TfrmEdit;
// An editor event: the editor is the sender.
using TEditNotifyEvent = std::function<void(TfrmEdit* Sender)>;
using TAskSaveEvent = std::function<void(TfrmEdit* Sender, bool& CanClose)>;
using TUpdateLoupeEvent = std::function<void(TfrmEdit* Sender, intptr_t X, intptr_t Y)>;

// Nearest whole number, halves to the even neighbour: the editor's one rounding rule.
int32_t RoundHalfEven(double Value);
int32_t RoundHalfEven(long double Value);

// The child window that owns one image: its view and zoom, the marking of lines and rectangles,
// the edits with their undo snapshots. It reports to its host only through its events.
class TfrmEdit : public QMdiSubWindow {
  Q_OBJECT

 public:
  // Becomes a visible, active child of Area at once. Host outlives the editor.
  TfrmEdit(QMdiArea* Area, TEditorHost& Host);
  ~TfrmEdit() override;

  const imaging::TGPBitmap* Bitmap() const { return FBitmap.get(); }
  TEditMode EditMode() const { return FEditMode; }
  void SetEditMode(TEditMode Value);
  const QString& FileName() const { return FFileName; }
  // Loads the file; when it cannot be decoded the window closes itself and Bitmap() stays null.
  void SetFileName(const QString& Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  bool Selected() const { return FSelected; }
  double ShowRate() const { return FShowRate; }
  const TPoints& Points() const { return FPoints; }
  const TUndoStack& UndoStack() const { return FUndo; }

  void SetOnAskSave(TAskSaveEvent Value) { FOnAskSave = std::move(Value); }
  void SetOnImageClose(TEditNotifyEvent Value) { FOnImageClose = std::move(Value); }
  void SetOnImageOpen(TEditNotifyEvent Value) { FOnImageOpen = std::move(Value); }
  void SetOnSelect(TEditNotifyEvent Value) { FOnSelect = std::move(Value); }
  void SetOnUpdateLoupe(TUpdateLoupeEvent Value) { FOnUpdateLoupe = std::move(Value); }
  // The window's own activation and deactivation, raised by whoever tracks the frame's active
  // child so that the old child's deactivation always comes before the new one's activation.
  void SetOnActivate(TEditNotifyEvent Value) { FOnActivate = std::move(Value); }
  void SetOnDeactivate(TEditNotifyEvent Value) { FOnDeactivate = std::move(Value); }
  void Activated();
  void Deactivated();

  // Adopts a copy of a clipboard or scanner picture as a new, unsaved image.
  void SetBitmap(const QImage& Value);
  void SetSaved(const QString& NewFileName);
  void Zoom(TZoomState State, double Rate);
  void FitWindow();
  // Whether the window may close: a modified image asks its owner first. A save that fails
  // on the way keeps the window open.
  bool CloseQuery();

  bool CanUndo() const;
  void Undo();
  // Turns the image by Angle degrees, positive clockwise on the screen, onto a new canvas.
  void Rotate(double Angle);
  void DoTrim();
  void Mirror(TMirrorMode Mode);
  void CopyClipboard();

  // The pop-up of the tilt correction and its items, in their order of declaration.
  QMenu* ppmRotate() const { return FppmRotate; }
  QAction* pmitLeftHorz() const { return FpmitLeftHorz; }
  QAction* pmitLeftVert() const { return FpmitLeftVert; }
  QAction* pmitRightHorz() const { return FpmitRightHorz; }
  QAction* pmitRightVert() const { return FpmitRightVert; }
  QAction* pmitRotateCancel() const { return FpmitRotateCancel; }
  QWidget* pbxEdit() const;
  QWidget* pnlFrame() const;
  QScrollArea* scbEdit() const { return FscbEdit; }
  QString StatusText(int Panel) const;

  // Paint surface handlers, in pbxEdit pixels.
  void pbxEditPaint(QPainter& Painter, const QRect& Exposed);
  void pbxEditMouseDown(Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y);
  void pbxEditMouseMove(int X, int Y);
  void pbxEditMouseUp(Qt::MouseButton Button, int X, int Y);
  void pbxEditMouseLeave();

 protected:
  void closeEvent(QCloseEvent* Event) override;

 private:
  void CreateRotateMenu();
  void ShowRotateMenu();
  void RotateExecute(int Tag);
  void pmitRotateCancelClick();
  void RotateBitmap(double Angle);
  // Replaces the image by an edited one, keeping the old one for undo.
  void ReplaceWithSnapshot(std::unique_ptr<imaging::TGPBitmap> NewImage);
  void SetImage(std::unique_ptr<imaging::TGPBitmap> Image);
  // Takes a picture that has just been opened or adopted: size panel, whole-image zoom, OnImageOpen.
  void ShowOpenedImage(std::unique_ptr<imaging::TGPBitmap> Image);
  TPoint ToImage(int X, int Y) const;
  QPoint ToView(const TPoint& P) const;
  void DrawMark(QPainter& Painter) const;
  const QImage& ReducedView();
  void ClearMark();
  void RaiseSelect();
  void RefreshPanel2();
  void RefreshPanel3();
  void RepaintNow();

  TEditorHost& FHost;
  TRotateAngle FAngle;
  std::unique_ptr<imaging::TGPBitmap> FBitmap;
  bool FDragging = false;
  TEditMode FEditMode = TEditMode::emSelect;
  QString FFileName;
  bool FModified = false;
  TAskSaveEvent FOnAskSave;
  TEditNotifyEvent FOnImageClose;
  TEditNotifyEvent FOnImageOpen;
  TEditNotifyEvent FOnSelect;
  TUpdateLoupeEvent FOnUpdateLoupe;
  TEditNotifyEvent FOnActivate;
  TEditNotifyEvent FOnDeactivate;
  TPoints FPoints;
  int8_t FReviseCount = 0;
  bool FSelected = false;
  double FShowRate = 0;
  TUndoStack FUndo;

  // The smoothly reduced picture shown below 100 %, made once per image and size.
  QImage FReducedView;

  QScrollArea* FscbEdit = nullptr;
  QStatusBar* FstbEdit = nullptr;
  QLabel* FPanels[4] = {};
  TFramePanel* FpnlFrame = nullptr;
  TEditPaintBox* FpbxEdit = nullptr;
  QMenu* FppmRotate = nullptr;
  QAction* FpmitLeftHorz = nullptr;
  QAction* FpmitLeftVert = nullptr;
  QAction* FpmitRightHorz = nullptr;
  QAction* FpmitRightVert = nullptr;
  QAction* FpmitRotateCancel = nullptr;
};
