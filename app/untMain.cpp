#include "untMain.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "AboutDialog.h"
#include "BusyCursor.h"
#include "CommandImages.h"
#include "ErrorGuard.h"
#include "Exception.h"
#include "ExtIniFile.h"
#include "Fonts.h"
#include "PictureDialogs.h"
#include "ProgramAbout.h"
#include "SystemColors.h"
#include "ToolBarContainer.h"
#include "TwainUtils.h"
#include "WindowArrangement.h"
#include "untAngle.h"
#include "untEdit.h"
#include "untHelp.h"
#include "untLupe.h"
#include "untOption.h"
#include "untZoom.h"

TfrmMain* frmMain = nullptr;
TfrmLupe* frmLupe = nullptr;
TfrmOption* frmOption = nullptr;
TfrmZoom* frmZoom = nullptr;
TfrmAngle* frmAngle = nullptr;

namespace {

using C = TCommand;

// Every picture type the command line lets through: a substring test against this mask.
const QString kPictureMask =
    QStringLiteral("*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.ico;*.emf;*.wmf").toUpper();

// The commands that follow the active editor.
constexpr std::initializer_list<TCommand> kEditorCommands = {
    C::actSave,    C::actClose,  C::actSaveAs,    C::actUndo,     C::actCopy,    C::actTrim,
    C::actMirror,  C::actFlip,   C::actRotate,    C::actZoomSame, C::actZoomAll, C::actZoomIn,
    C::actZoomOut, C::actZoomAs, C::actFitWindow, C::actRevise};
constexpr std::initializer_list<TCommand> kWindowCommands = {C::actWinCascade, C::actWinTileHorz,
                                                             C::actWinTileVert, C::actWinArrange};

// The extension of a file name: from the last dot of its name part to the end, or empty.
QString Extension(const QString& FileName) {
  const QString name = QFileInfo(FileName).fileName();
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.mid(dot);
}

bool MaskHas(const QString& Mask, const QString& UpperExtension) {
  return !UpperExtension.isEmpty() && Mask.contains(UpperExtension);
}

QFont MenuFont() {
  return JapaneseFont({QStringLiteral("メイリオ"), QStringLiteral("Meiryo")}, 12);
}

QPalette MenuPalette(QPalette Palette) {
  const QColor grey(109, 109, 109);
  for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    Palette.setColor(QPalette::Disabled, role, grey);
  return Palette;
}

// Holds a modal dialog in its program-wide reference for as long as it runs.
template <class TDialog>
class TRunningDialog {
 public:
  TRunningDialog(TDialog*& Reference, TDialog& Dialog) : FReference(Reference) {
    FReference = &Dialog;
  }
  ~TRunningDialog() { FReference = nullptr; }
  TRunningDialog(const TRunningDialog&) = delete;
  TRunningDialog& operator=(const TRunningDialog&) = delete;

 private:
  TDialog*& FReference;
};

}  // namespace

const std::array<TfrmMain::THandler, kCommandCount>& TfrmMain::Handlers() {
  static const std::array<THandler, kCommandCount> handlers = {
      &TfrmMain::actOpenExecute,        &TfrmMain::actScanExecute,
      &TfrmMain::actSaveExecute,        &TfrmMain::actOptionExecute,
      &TfrmMain::actCloseExecute,       &TfrmMain::actUndoExecute,
      &TfrmMain::actCopyExecute,        &TfrmMain::actPasteExecute,
      &TfrmMain::actTrimExecute,        &TfrmMain::actMirrorExecute,
      &TfrmMain::actFlipExecute,        &TfrmMain::actRotateExecute,
      &TfrmMain::actLoupeExecute,       &TfrmMain::actZoomSameExecute,
      &TfrmMain::actZoomAllExecute,     &TfrmMain::actZoomInExecute,
      &TfrmMain::actZoomOutExecute,     &TfrmMain::actZoomAsExecute,
      &TfrmMain::actFitWindowExecute,   &TfrmMain::actReviseExecute,
      &TfrmMain::actWinCascadeExecute,  &TfrmMain::actWinTileHorzExecute,
      &TfrmMain::actWinTileVertExecute, &TfrmMain::actWinArrangeExecute,
      &TfrmMain::actShowHelpExecute,    &TfrmMain::actAboutExecute,
      &TfrmMain::actSelectTwainExecute, &TfrmMain::actExitExecute,
      &TfrmMain::actSaveAsExecute,
  };
  return handlers;
}

TfrmMain::TfrmMain(QStringList Params) : FParams(std::move(Params)) {
  frmMain = this;
  setWindowTitle(QStringLiteral("Levelora"));
  setWindowIcon(ProgramIcon());
  setFont(WindowFont());

  FActions = CreateActions(this);
  for (int i = 0; i < kCommandCount; ++i) {
    QAction* action = FActions[i];
    const THandler handler = Handlers()[i];
    addAction(action);
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
  }
  CreateMenus();
  // The store reads its file as it is made.
  FiniMain = new TExtIniFile(this);
  FiniMain->SetDefaultFolder(TDefaultFolder::dfMyDocuments);

  FmdiArea = new QMdiArea;
  FmdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  FmdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  FmdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(FmdiArea, &QMdiArea::subWindowActivated, this,
          [this] { RunGuarded([&] { TrackActivation(); }); });

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FctlbMain = new TToolBarContainer(central);
  FctlbMain->setObjectName(QStringLiteral("ctlbMain"));
  layout->addWidget(FctlbMain);
  layout->addWidget(FmdiArea, 1);
  setCentralWidget(central);
  CreateToolBars();

  FdlgOpen = new TOpenPictureDialog(this);
  FdlgSave = new TSavePictureDialog(this);
  FdlgAbout = new TAboutDialog(this);
  ConfigureProgramAbout(*FdlgAbout);

  SetEnabled(kEditorCommands, false);
  Action(C::actRevise)->setEnabled(true);
  SetEnabled(kWindowCommands, false);

  // The client area below the menu bar, tool bars included.
  resize(625, 404 + menuBar()->sizeHint().height());
  FormCreate();
  // The command line is read the first time the program falls idle, with the frame on screen.
  QTimer::singleShot(0, this, [this] { RunGuarded([&] { apevMainIdle(); }); });
}

TfrmMain::~TfrmMain() {
  FmdiArea->disconnect(this);
  RunGuarded([&] { FormDestroy(); });
  // Editors and the loupe go before the rest of the window, the editors releasing their images
  // and snapshots, the loupe writing its placement while the store is still there.
  for (QMdiSubWindow* child : FmdiArea->subWindowList()) delete child;
  delete frmLupe;
  delete FdlgOpen;
  delete FdlgSave;
  if (frmMain == this) frmMain = nullptr;
}

// --- preferences ------------------------------------------------------------------------------

namespace {
const QString kForms = QStringLiteral("Forms");
const QString kTools = QStringLiteral("Tools");
const QString kOptions = QStringLiteral("Options");
QString ToolKey(const char* Word, int Index) {
  return QString::fromLatin1(Word) + u'.' + QString::number(Index);
}
}  // namespace

void TfrmMain::FormCreate() {
  FiniMain->ReadForm2(kForms, *this);
  for (int i = 0; i < FctlbMain->BarCount(); ++i) {
    const QRect now = FctlbMain->BarBounds(i);
    const int x = FiniMain->ReadInt(kTools, ToolKey("X", i), now.x());
    const int y = FiniMain->ReadInt(kTools, ToolKey("Y", i), now.y());
    const int w = FiniMain->ReadInt(kTools, ToolKey("Width", i), now.width());
    const int h = FiniMain->ReadInt(kTools, ToolKey("Height", i), now.height());
    FctlbMain->SetBarBounds(i, QRect(x, y, w, h));
  }
  ReadOptions();
  Action(C::actLoupe)->setChecked(FiniMain->ReadBool(kForms, QStringLiteral("Loupe"), true));
  if (Action(C::actLoupe)->isChecked()) CreateLoupe();
}

void TfrmMain::CreateLoupe() {
  const bool placed = FiniMain->ItemExists(kForms, QStringLiteral("frmLupe"));
  frmLupe = new TfrmLupe(
      this, *FiniMain, [this] { return FBandColor; }, [] { frmLupe = nullptr; });
  // On a first run it stands beside the frame rather than over its menu.
  if (!placed) frmLupe->move(geometry().right() + 8, geometry().top());
  frmLupe->show();
}

void TfrmMain::FormDestroy() {
  FiniMain->WriteForm2(kForms, *this);
  FiniMain->WriteBool(kForms, QStringLiteral("Loupe"), Action(C::actLoupe)->isChecked());
  for (int i = 0; i < FctlbMain->BarCount(); ++i) {
    const QRect bounds = FctlbMain->BarBounds(i);
    FiniMain->WriteInt(kTools, ToolKey("X", i), bounds.x());
    FiniMain->WriteInt(kTools, ToolKey("Y", i), bounds.y());
    FiniMain->WriteInt(kTools, ToolKey("Width", i), bounds.width());
    FiniMain->WriteInt(kTools, ToolKey("Height", i), bounds.height());
  }
}

void TfrmMain::ReadOptions() {
  FBandColor =
      static_cast<uint32_t>(FiniMain->ReadColor(kOptions, QStringLiteral("BandColor"), 0x0000FFFF));
  FBackColor = PackBackColor(FiniMain->ReadColor(kOptions, QStringLiteral("BackColor"), 0x00FFFFFF),
                             FiniMain->ReadInt(kOptions, QStringLiteral("BackAlpha"), 255));
}

void TfrmMain::CreateMenus() {
  QMenuBar* ammMain = menuBar();
  ammMain->setObjectName(QStringLiteral("ammMain"));
  ammMain->setFont(MenuFont());
  ammMain->setPalette(MenuPalette(ammMain->palette()));
  auto menu = [&](const QString& caption) {
    QMenu* m = ammMain->addMenu(caption);
    m->setFont(MenuFont());
    m->setPalette(MenuPalette(m->palette()));
    return m;
  };
  auto add = [&](QMenu* m, std::initializer_list<TCommand> commands) {
    for (TCommand c : commands) m->addAction(Action(c));
  };

  QMenu* file = menu(QStringLiteral("ファイル(&F)"));
  add(file, {C::actOpen});
  QMenu* load = file->addMenu(QStringLiteral("読み込み(&L)"));
  load->setFont(MenuFont());
  add(load, {C::actSelectTwain, C::actScan});
  add(file, {C::actSave, C::actSaveAs, C::actClose});
  file->addSeparator();
  add(file, {C::actOption});
  file->addSeparator();
  add(file, {C::actExit});

  QMenu* edit = menu(QStringLiteral("編集(&E)"));
  add(edit, {C::actUndo});
  edit->addSeparator();
  add(edit, {C::actCopy, C::actPaste});
  edit->addSeparator();
  add(edit, {C::actTrim, C::actMirror, C::actFlip, C::actRotate});

  QMenu* view = menu(QStringLiteral("表示(&V)"));
  add(view, {C::actLoupe});
  view->addSeparator();
  add(view, {C::actZoomSame, C::actZoomAll, C::actZoomIn, C::actZoomOut, C::actZoomAs});
  view->addSeparator();
  add(view, {C::actFitWindow});

  add(menu(QStringLiteral("補正(&R)")), {C::actRevise});

  QMenu* window = menu(QStringLiteral("ウィンドウ(&W)"));
  add(window, {C::actWinArrange, C::actWinTileHorz, C::actWinTileVert, C::actWinCascade});
  window->addSeparator();

  add(menu(QStringLiteral("ヘルプ(&H)")), {C::actShowHelp, C::actAbout});
}

void TfrmMain::CreateToolBars() {
  // nullopt marks a separator between groups of buttons.
  struct TBar {
    const char16_t* Name;
    std::initializer_list<std::optional<TCommand>> Buttons;
    QRect Bounds;
  };
  const TBar bars[] = {
      {u"atbFile", {C::actOpen, C::actScan, C::actSave, C::actClose}, QRect(11, 2, 110, 26)},
      {u"atbEdit",
       {C::actUndo, std::nullopt, C::actCopy, C::actPaste, std::nullopt, C::actTrim, C::actMirror,
        C::actFlip, C::actRotate},
       QRect(134, 2, 207, 26)},
      {u"atbShow",
       {C::actLoupe, std::nullopt, C::actZoomSame, C::actZoomAll, C::actZoomIn, C::actZoomOut,
        C::actZoomAs, C::actFitWindow},
       QRect(354, 2, 191, 26)},
      {u"atbRevise", {C::actRevise}, QRect(558, 2, 34, 26)},
      {u"atbWindow",
       {C::actWinCascade, C::actWinTileHorz, C::actWinTileVert},
       QRect(11, 32, 82, 26)},
      {u"atbHelp", {C::actShowHelp, C::actAbout}, QRect(106, 32, 59, 26)},
  };
  for (const TBar& bar : bars) {
    auto* toolBar = new QToolBar(QString::fromUtf16(bar.Name));
    toolBar->setObjectName(QString::fromUtf16(bar.Name));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& button : bar.Buttons) {
      if (button)
        toolBar->addAction(Action(*button));
      else
        toolBar->addSeparator();
    }
    FctlbMain->AddBar(toolBar, bar.Bounds);
  }
}

// --- the host services the editors use --------------------------------------------------------

int32_t TfrmMain::IncNewImage() { return ++FNewImageCount; }

void TfrmMain::UndoChanged() {
  TfrmEdit* editor = ActiveEditor();
  Action(C::actUndo)->setEnabled(editor && editor->CanUndo());
}

QIcon TfrmMain::RotateImage(int Index) const { return ::RotateImage(Index); }

TfrmEdit* TfrmMain::ActiveEditor() const {
  // The current child stays current while another top-level window (a dialog) has the focus.
  return qobject_cast<TfrmEdit*>(FmdiArea->currentSubWindow());
}

// --- editors ----------------------------------------------------------------------------------

TfrmEdit* TfrmMain::CreateEditor() {
  auto* editor = new TfrmEdit(FmdiArea, *this);
  // Assigned after creation: the activation that came with it reaches no handler, and the
  // editor's image announces itself through OnImageOpen instead.
  editor->SetOnSelect([this](TfrmEdit* e) { frmEditSelect(e); });
  editor->SetOnActivate([this](TfrmEdit* e) { frmEditActivate(e); });
  editor->SetOnDeactivate([this](TfrmEdit* e) { frmEditDeactivate(e); });
  editor->SetOnImageOpen([this](TfrmEdit* e) { frmEditActivate(e); });
  editor->SetOnImageClose([this](TfrmEdit* e) { frmEditDeactivate(e); });
  editor->SetOnAskSave([this](TfrmEdit* e, bool& canClose) { frmEditAskSave(e, canClose); });
  editor->SetOnUpdateLoupe(
      [this](TfrmEdit* e, intptr_t x, intptr_t y) { frmEditUpdateLoupe(e, x, y); });
  connect(editor, &QObject::destroyed, this, [this] { ScheduleIdleUpdate(); });
  ScheduleIdleUpdate();
  return editor;
}

void TfrmMain::OpenFile(const QString& Path) {
  TfrmEdit* editor = CreateEditor();
  editor->SetFileName(Path);
  // A file that could not be decoded has closed its editor; it is not touched again.
  if (!editor->Bitmap()) return;
  editor->show();
  editor->raise();
}

void TfrmMain::OpenBitmap(const QImage& Bitmap) {
  TfrmEdit* editor = CreateEditor();
  try {
    editor->SetBitmap(Bitmap);
  } catch (...) {
    // Without memory for the picture there is no image to show: the empty window goes again.
    editor->SetModified(false);
    editor->close();
    throw;
  }
  editor->show();
  editor->raise();
}

void TfrmMain::TrackActivation() {
  QMdiSubWindow* now = FmdiArea->currentSubWindow();
  if (now == FLastActive) return;
  QPointer<QMdiSubWindow> old = FLastActive;
  FLastActive = now;
  // The old editor lets go of the commands before the new one takes them.
  if (auto* editor = qobject_cast<TfrmEdit*>(old.data())) editor->Deactivated();
  if (auto* editor = qobject_cast<TfrmEdit*>(now)) editor->Activated();
}

// --- enabling ---------------------------------------------------------------------------------

void TfrmMain::SetEnabled(std::initializer_list<TCommand> Commands, bool Enabled) {
  for (TCommand c : Commands) Action(c)->setEnabled(Enabled);
}

void TfrmMain::EnableSelectionCommands(const TfrmEdit& Editor) {
  const bool selected = Editor.Selected();
  const bool revise = Editor.EditMode() == TEditMode::emRevise;
  Action(C::actCopy)->setEnabled(!(selected && revise));
  Action(C::actTrim)->setEnabled(selected && !revise);
  SetEnabled({C::actMirror, C::actFlip, C::actRotate}, !selected);
}

void TfrmMain::frmEditActivate(TfrmEdit* Sender) {
  if (Sender != ActiveEditor()) return;
  SetEnabled({C::actSave, C::actClose, C::actSaveAs, C::actZoomSame, C::actZoomAll, C::actZoomIn,
              C::actZoomOut, C::actZoomAs, C::actFitWindow},
             true);
  Action(C::actUndo)->setEnabled(Sender->CanUndo());
  EnableSelectionCommands(*Sender);
  Action(C::actRevise)->setEnabled(true);
  Action(C::actRevise)->setChecked(Sender->EditMode() == TEditMode::emRevise);
}

void TfrmMain::frmEditDeactivate(TfrmEdit*) { SetEnabled(kEditorCommands, false); }

void TfrmMain::frmEditSelect(TfrmEdit* Sender) {
  if (Sender != ActiveEditor()) return;
  EnableSelectionCommands(*Sender);
}

void TfrmMain::frmEditUpdateLoupe(TfrmEdit* Sender, intptr_t X, intptr_t Y) {
  if (frmLupe) frmLupe->UpdateLoupe(Sender, X, Y);
}

void TfrmMain::ScheduleIdleUpdate() {
  if (FIdleUpdatePending) return;
  FIdleUpdatePending = true;
  QTimer::singleShot(0, this, [this] {
    FIdleUpdatePending = false;
    UpdateWindowCommands();
  });
}

void TfrmMain::UpdateWindowCommands() {
  SetEnabled(kWindowCommands, !FmdiArea->subWindowList().isEmpty());
}

// --- the command line -------------------------------------------------------------------------

void TfrmMain::apevMainIdle() {
  if (FParamRead) return;
  FParamRead = true;
  for (const QString& param : FParams) {
    if (!QFileInfo(param).isFile()) continue;
    if (MaskHas(kPictureMask, Extension(param).toUpper())) OpenFile(param);
  }
}

// --- closing ----------------------------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* Event) {
  // Every editor is asked first, front to back; one refusal keeps everything open.
  QList<QMdiSubWindow*> children = FmdiArea->subWindowList(QMdiArea::StackingOrder);
  std::reverse(children.begin(), children.end());
  for (QMdiSubWindow* child : children) {
    auto* editor = qobject_cast<TfrmEdit*>(child);
    if (editor && !editor->CloseQuery()) {
      Event->ignore();
      return;
    }
  }
  Event->accept();
}

// --- saving -----------------------------------------------------------------------------------

void TfrmMain::WriteImage(const QString& FileName, const TfrmEdit& Editor) {
  const QString e = Extension(FileName).toUpper();
  QString encoder = QString::fromUtf16(imaging::kEncoderBmp);
  // Each test that succeeds replaces the choice so far: the last one wins.
  if (MaskHas(QStringLiteral("*.PNG"), e)) encoder = QString::fromUtf16(imaging::kEncoderPng);
  if (MaskHas(QStringLiteral("*.GIF"), e)) encoder = QString::fromUtf16(imaging::kEncoderGif);
  if (MaskHas(QStringLiteral("*.JPG;*.JPEG"), e))
    encoder = QString::fromUtf16(imaging::kEncoderJpeg);
  if (MaskHas(QStringLiteral(".TIF;.TIFF"), e)) encoder = QString::fromUtf16(imaging::kEncoderTiff);
  TBusyCursor busy;
  Editor.Bitmap()->Save(FileName, encoder);
}

bool TfrmMain::SaveImageAs(TfrmEdit* Editor) {
  const QFileInfo current(Editor->FileName());
  FdlgSave->SetFileName(Editor->FileName().isEmpty() ? QString() : current.completeBaseName());
  FdlgSave->SetInitialDir(Editor->FileName().isEmpty() ? QString() : current.absolutePath());
  if (!FdlgSave->Execute()) return false;
  QString name = FdlgSave->FileName();
  const QString extension = SaveExtension(FdlgSave->FilterIndex());
  // The filter decides the format; a typed extension stays only when it is the filter's own.
  if (Extension(name).compare(extension, Qt::CaseInsensitive) != 0) name += extension;
  if (QFileInfo::exists(name)) {
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("確認"),
        QFileInfo(name).fileName() + QStringLiteral("は既に存在します。置き換えますか？"),
        QMessageBox::NoButton, this);
    box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() == no) return false;
  }
  WriteImage(name, *Editor);
  Editor->SetModified(false);
  Editor->SetSaved(name);
  return true;
}

void TfrmMain::frmEditAskSave(TfrmEdit* Sender, bool& CanClose) {
  const QString name = Sender->FileName().isEmpty() ? Sender->windowTitle()
                                                    : QFileInfo(Sender->FileName()).fileName();
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"),
                  name + QStringLiteral("は変更されています。保存しますか？"),
                  QMessageBox::NoButton, this);
  QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  QAbstractButton* answer = box.clickedButton();
  CanClose = answer == yes || answer == no;
  if (answer != yes) return;
  if (Sender->FileName().isEmpty()) {
    CanClose = SaveImageAs(Sender);
    return;
  }
  WriteImage(Sender->FileName(), *Sender);
  Sender->SetModified(false);
}

// --- command handlers -------------------------------------------------------------------------

void TfrmMain::actOpenExecute() {
  if (!FdlgOpen->FileName().isEmpty()) {
    FdlgOpen->SetInitialDir(QFileInfo(FdlgOpen->FileName()).absolutePath() + u'/');
    FdlgOpen->SetFileName(QString());
  }
  if (FdlgOpen->Execute()) OpenFile(FdlgOpen->FileName());
}

void TfrmMain::actScanExecute() {
  QImage bitmap;
  // A cancelled or failed scan opens no window and uses no number.
  if (SharedTwain().TransferImage(bitmap, true, this)) OpenBitmap(bitmap);
}

void TfrmMain::actSaveExecute() {
  TfrmEdit* editor = ActiveEditor();
  if (!editor) return;
  if (editor->FileName().isEmpty()) {
    actSaveAsExecute();
    return;
  }
  WriteImage(editor->FileName(), *editor);
  editor->SetModified(false);
}

void TfrmMain::actSaveAsExecute() {
  if (TfrmEdit* editor = ActiveEditor()) SaveImageAs(editor);
}

void TfrmMain::actOptionExecute() {
  TfrmOption dialog(this, *FiniMain);
  TRunningDialog running(frmOption, dialog);
  if (dialog.exec() == QDialog::Accepted) ReadOptions();
}

void TfrmMain::actCloseExecute() {
  if (QMdiSubWindow* child = FmdiArea->currentSubWindow()) child->close();
}

void TfrmMain::actExitExecute() { close(); }

void TfrmMain::actUndoExecute() {
  TfrmEdit* editor = ActiveEditor();
  if (!editor || !editor->CanUndo()) return;
  editor->Undo();
  Action(C::actUndo)->setEnabled(editor->CanUndo());
}

void TfrmMain::actCopyExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->CopyClipboard();
}

void TfrmMain::actPasteExecute() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || !data->hasImage()) return;
  const QImage bitmap = qvariant_cast<QImage>(data->imageData());
  if (bitmap.isNull()) return;
  OpenBitmap(bitmap);
}

void TfrmMain::actTrimExecute() {
  TfrmEdit* editor = ActiveEditor();
  if (editor && editor->Selected()) editor->DoTrim();
}

void TfrmMain::actMirrorExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Mirror(TMirrorMode::mmHorizontal);
}

void TfrmMain::actFlipExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Mirror(TMirrorMode::mmVertical);
}

void TfrmMain::actRotateExecute() {
  TfrmEdit* editor = ActiveEditor();
  if (!editor) return;
  TfrmAngle dialog(this);
  TRunningDialog running(frmAngle, dialog);
  if (dialog.exec() == QDialog::Accepted) editor->Rotate(dialog.Angle());
}

void TfrmMain::actLoupeExecute() {
  // The check mark has flipped already.
  if (Action(C::actLoupe)->isChecked()) {
    if (frmLupe) return;
    CreateLoupe();
    if (TfrmEdit* editor = ActiveEditor()) frmLupe->UpdateLoupe(editor, 0, 0);
  } else if (frmLupe) {
    frmLupe->close();
  }
}

void TfrmMain::actZoomSameExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Zoom(TZoomState::zsZoomAs, 1.0);
}

void TfrmMain::actZoomAllExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Zoom(TZoomState::zsAll, 0);
}

void TfrmMain::actZoomInExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Zoom(TZoomState::zsZoomIn, 0);
}

void TfrmMain::actZoomOutExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->Zoom(TZoomState::zsZoomOut, 0);
}

void TfrmMain::actZoomAsExecute() {
  TfrmEdit* editor = ActiveEditor();
  if (!editor) return;
  // What the dialog previewed and did not take back stays.
  TfrmZoom dialog(this);
  TRunningDialog running(frmZoom, dialog);
  dialog.SetTarget(editor);
  dialog.exec();
}

void TfrmMain::actFitWindowExecute() {
  if (TfrmEdit* editor = ActiveEditor()) editor->FitWindow();
}

void TfrmMain::actReviseExecute() {
  if (TfrmEdit* editor = ActiveEditor())
    editor->SetEditMode(Action(C::actRevise)->isChecked() ? TEditMode::emRevise
                                                          : TEditMode::emSelect);
}

void TfrmMain::actWinCascadeExecute() { FmdiArea->cascadeSubWindows(); }

void TfrmMain::actWinTileHorzExecute() { TileOneAboveTheOther(*FmdiArea); }

void TfrmMain::actWinTileVertExecute() { TileSideBySide(*FmdiArea); }

void TfrmMain::actWinArrangeExecute() { ArrangeIcons(*FmdiArea); }

void TfrmMain::actShowHelpExecute() { ShowHelp(this); }

void TfrmMain::actAboutExecute() { FdlgAbout->Execute(); }

void TfrmMain::actSelectTwainExecute() { SharedTwain().SelectDevice(this); }
