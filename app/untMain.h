#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>

#include "CommandTable.h"
#include "TEditorHost.h"

class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class TfrmEdit;
class TOpenPictureDialog;
class TSavePictureDialog;
class TToolBarContainer;
class TExtIniFile;
class TfrmLupe;
class TAboutDialog;
class TfrmOption;
class TfrmZoom;
class TfrmAngle;

// The frame window: its commands with menus and tool bars, the editor windows inside it, and the
// opening and saving of images.
class TfrmMain : public QMainWindow, public TEditorHost {
  Q_OBJECT

 public:
  // Params: the files named on the command line, opened at the first idle moment.
  explicit TfrmMain(QStringList Params = {});
  ~TfrmMain() override;

  uint32_t BackColor() const override { return FBackColor; }
  uint32_t BandColor() const override { return FBandColor; }
  int32_t IncNewImage() override;
  void UndoChanged() override;
  QIcon RotateImage(int Index) const override;

  // The settings store; it writes its file when the main window goes.
  TExtIniFile& iniMain() const { return *FiniMain; }
  // Recomputes the two colours from the stored options.
  void ReadOptions();

  QAction* Action(TCommand Command) const { return FActions[static_cast<int>(Command)]; }
  QMdiArea* MdiArea() const { return FmdiArea; }
  TToolBarContainer* ctlbMain() const { return FctlbMain; }
  TOpenPictureDialog& dlgOpen() const { return *FdlgOpen; }
  TSavePictureDialog& dlgSave() const { return *FdlgSave; }
  TAboutDialog& dlgAbout() const { return *FdlgAbout; }
  // The frame's active child if it is an editor.
  TfrmEdit* ActiveEditor() const;

  void OpenFile(const QString& Path);
  void OpenBitmap(const QImage& Bitmap);
  // The save-as flow; true when the image was written.
  bool SaveImageAs(TfrmEdit* Editor);
  // Encodes the image into the file with the encoder that the name's extension selects.
  static void WriteImage(const QString& FileName, const TfrmEdit& Editor);

  // Editor events.
  void frmEditActivate(TfrmEdit* Sender);
  void frmEditDeactivate(TfrmEdit* Sender);
  void frmEditSelect(TfrmEdit* Sender);
  void frmEditAskSave(TfrmEdit* Sender, bool& CanClose);
  void frmEditUpdateLoupe(TfrmEdit* Sender, intptr_t X, intptr_t Y);

 protected:
  void closeEvent(QCloseEvent* Event) override;

 private:
  using THandler = void (TfrmMain::*)();
  static const std::array<THandler, kCommandCount>& Handlers();

  void FormCreate();
  void CreateLoupe();
  void FormDestroy();
  void CreateMenus();
  void CreateToolBars();
  TfrmEdit* CreateEditor();
  void apevMainIdle();
  void TrackActivation();
  void UpdateWindowCommands();
  void ScheduleIdleUpdate();
  void SetEnabled(std::initializer_list<TCommand> Commands, bool Enabled);
  void EnableSelectionCommands(const TfrmEdit& Editor);

  void actOpenExecute();
  void actScanExecute();
  void actSaveExecute();
  void actOptionExecute();
  void actCloseExecute();
  void actUndoExecute();
  void actCopyExecute();
  void actPasteExecute();
  void actTrimExecute();
  void actMirrorExecute();
  void actFlipExecute();
  void actRotateExecute();
  void actLoupeExecute();
  void actZoomSameExecute();
  void actZoomAllExecute();
  void actZoomInExecute();
  void actZoomOutExecute();
  void actZoomAsExecute();
  void actFitWindowExecute();
  void actReviseExecute();
  void actWinCascadeExecute();
  void actWinTileHorzExecute();
  void actWinTileVertExecute();
  void actWinArrangeExecute();
  void actShowHelpExecute();
  void actAboutExecute();
  void actSelectTwainExecute();
  void actExitExecute();
  void actSaveAsExecute();

  uint32_t FBackColor = 0xFFFFFFFF;
  uint32_t FBandColor = 0x0000FFFF;
  int32_t FNewImageCount = 0;
  bool FParamRead = false;

  QStringList FParams;
  std::array<QAction*, kCommandCount> FActions{};
  TExtIniFile* FiniMain = nullptr;
  TAboutDialog* FdlgAbout = nullptr;
  QMdiArea* FmdiArea = nullptr;
  TToolBarContainer* FctlbMain = nullptr;
  TOpenPictureDialog* FdlgOpen = nullptr;
  TSavePictureDialog* FdlgSave = nullptr;
  QPointer<QMdiSubWindow> FLastActive;
  bool FIdleUpdatePending = false;
};

// The main window, for the parts of the program that reach it from outside.
extern TfrmMain* frmMain;
// The loupe while one exists, and each modal dialog while it runs.
extern TfrmLupe* frmLupe;
extern TfrmOption* frmOption;
extern TfrmZoom* frmZoom;
extern TfrmAngle* frmAngle;
