#include "untEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <cfenv>
#include <cmath>
#include <numbers>

#include "BusyCursor.h"
#include "ErrorGuard.h"
#include "Fonts.h"
#include "SystemColors.h"

int32_t RoundHalfEven(double Value) {
  // The default rounding mode of the machine is to nearest, halves to even.
  return static_cast<int32_t>(std::nearbyint(Value));
}

int32_t RoundHalfEven(long double Value) { return static_cast<int32_t>(std::nearbyintl(Value)); }

namespace {

constexpr int kFrameBorder = 4;
constexpr int kPanelWidths[4] = {100, 40, 100, 50};
constexpr int kStatusHeight = 19;
constexpr QSize kInitialClientSize(469, 377);
const QColor kScrollBackground(128, 128, 128);

QColor FromColorRef(uint32_t Color) {
  return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

// One decimal with the user's decimal separator, rounded half away from zero.
QString OneDecimal(double Value) {
  QString text = QString::number(std::round(Value * 10) / 10, 'f', 1);
  return text.replace(u'.', QLocale::system().decimalPoint());
}

// "水平(5.7°)(&H)": the turn with one decimal, and the item's access key.
QString AngleCaption(const QString& Word, double Angle, QChar Key) {
  return Word + u'(' + OneDecimal(Angle) + QStringLiteral("°)(&") + Key + u')';
}

}  // namespace

// The panel around the picture: a 3-pixel grey border, a 1-pixel lowered bevel inside it, and a
// checkerboard behind the picture so that its transparent parts show.
class TFramePanel : public QWidget {
 public:
  explicit TFramePanel(QWidget* Parent) : QWidget(Parent) {}

 protected:
  void paintEvent(QPaintEvent* Event) override {
    QPainter painter(this);
    painter.setClipRegion(Event->region());
    const QRect inner = rect().adjusted(kFrameBorder, kFrameBorder, -kFrameBorder, -kFrameBorder);
    painter.fillRect(inner, QBrush(Checkerboard()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kScrollBackground);
    painter.drawPath([&] {
      QPainterPath path;
      path.addRect(rect());
      path.addRect(inner.adjusted(-1, -1, 1, 1));
      return path;
    }());
    const QRect bevel = inner.adjusted(-1, -1, 0, 0);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(bevel.topLeft(), bevel.topRight());
    painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
    painter.drawLine(bevel.topRight(), bevel.bottomRight());
  }

 private:
  // 16-pixel squares of white and grey (127) at 70 % over the panel's face colour.
  QPixmap Checkerboard() const {
    const QColor face = palette().color(QPalette::Button);
    auto mix = [&](int c, int f) { return (c * 7 + f * 3 + 5) / 10; };
    auto tone = [&](int c) {
      return QColor(mix(c, face.red()), mix(c, face.green()), mix(c, face.blue()));
    };
    QPixmap tile(32, 32);
    QPainter p(&tile);
    p.fillRect(0, 0, 32, 32, tone(255));
    p.fillRect(16, 0, 16, 16, tone(127));
    p.fillRect(0, 16, 16, 16, tone(127));
    return tile;
  }
};

// The surface the picture is painted on; it hands everything to its editor.
class TEditPaintBox : public QWidget {
 public:
  TEditPaintBox(QWidget* Parent, TfrmEdit& Editor) : QWidget(Parent), FEditor(Editor) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
  }

 protected:
  void paintEvent(QPaintEvent* Event) override {
    QPainter painter(this);
    RunGuarded([&] { FEditor.pbxEditPaint(painter, Event->rect()); });
  }
  void mousePressEvent(QMouseEvent* Event) override {
    const QPoint p = Event->position().toPoint();
    RunGuarded([&] { FEditor.pbxEditMouseDown(Event->button(), Event->buttons(), p.x(), p.y()); });
  }
  void mouseMoveEvent(QMouseEvent* Event) override {
    const QPoint p = Event->position().toPoint();
    RunGuarded([&] { FEditor.pbxEditMouseMove(p.x(), p.y()); });
  }
  void mouseReleaseEvent(QMouseEvent* Event) override {
    const QPoint p = Event->position().toPoint();
    RunGuarded([&] { FEditor.pbxEditMouseUp(Event->button(), p.x(), p.y()); });
  }
  void leaveEvent(QEvent*) override {
    RunGuarded([&] { FEditor.pbxEditMouseLeave(); });
  }

 private:
  TfrmEdit& FEditor;
};

TfrmEdit::TfrmEdit(QMdiArea* Area, TEditorHost& Host) : FHost(Host) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(WindowFont());

  auto* client = new QWidget;
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  FscbEdit = new QScrollArea(client);
  FscbEdit->setFrameShape(QFrame::NoFrame);
  FscbEdit->setWidgetResizable(false);
  FscbEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette scrollPalette = FscbEdit->palette();
  scrollPalette.setColor(QPalette::Window, kScrollBackground);
  FscbEdit->setPalette(scrollPalette);
  FscbEdit->viewport()->setAutoFillBackground(true);
  FscbEdit->viewport()->setPalette(scrollPalette);
  layout->addWidget(FscbEdit, 1);

  FpnlFrame = new TFramePanel(nullptr);
  FpbxEdit = new TEditPaintBox(FpnlFrame, *this);
  FpbxEdit->move(kFrameBorder, kFrameBorder);
  FscbEdit->setWidget(FpnlFrame);

  FstbEdit = new QStatusBar(client);
  FstbEdit->setSizeGripEnabled(false);
  FstbEdit->setFixedHeight(kStatusHeight);
  for (int i = 0; i < 4; ++i) {
    FPanels[i] = new QLabel(FstbEdit);
    FPanels[i]->setFixedWidth(kPanelWidths[i]);
    FstbEdit->addWidget(FPanels[i]);
  }
  layout->addWidget(FstbEdit);

  setWidget(client);
  CreateRotateMenu();

  Area->addSubWindow(this);
  show();
  // The frame's decorations are known once the window is shown.
  resize(size() - client->size() + kInitialClientSize);
  Area->setActiveSubWindow(this);
}

TfrmEdit::~TfrmEdit() = default;

QWidget* TfrmEdit::pbxEdit() const { return FpbxEdit; }
QWidget* TfrmEdit::pnlFrame() const { return FpnlFrame; }
QString TfrmEdit::StatusText(int Panel) const { return FPanels[Panel]->text(); }

void TfrmEdit::CreateRotateMenu() {
  FppmRotate = new QMenu(this);
  QMenu* left = FppmRotate->addMenu(FHost.RotateImage(0), QStringLiteral("反時計回りに回転(&L)"));
  FpmitLeftHorz = left->addAction(FHost.RotateImage(2), QStringLiteral("水平(&H)"));
  FpmitLeftVert = left->addAction(FHost.RotateImage(3), QStringLiteral("垂直(&V)"));
  QMenu* right = FppmRotate->addMenu(FHost.RotateImage(1), QStringLiteral("時計回りに回転(&R)"));
  FpmitRightHorz = right->addAction(FHost.RotateImage(2), QStringLiteral("水平(&H)"));
  FpmitRightVert = right->addAction(FHost.RotateImage(3), QStringLiteral("垂直(&V)"));
  FpmitRotateCancel = FppmRotate->addAction(FHost.RotateImage(4), QStringLiteral("キャンセル(&C)"));

  const QAction* items[4] = {FpmitLeftHorz, FpmitLeftVert, FpmitRightHorz, FpmitRightVert};
  for (int tag = 0; tag < 4; ++tag)
    connect(items[tag], &QAction::triggered, this,
            [this, tag] { RunGuarded([&] { RotateExecute(tag); }); });
  connect(FpmitRotateCancel, &QAction::triggered, this,
          [this] { RunGuarded([&] { pmitRotateCancelClick(); }); });
}

void TfrmEdit::Activated() {
  if (FOnActivate) FOnActivate(this);
}

void TfrmEdit::Deactivated() {
  if (FOnDeactivate) FOnDeactivate(this);
}

// --- the image --------------------------------------------------------------------------------

void TfrmEdit::SetImage(std::unique_ptr<imaging::TGPBitmap> Image) {
  FBitmap = std::move(Image);
  FReducedView = QImage();
}

void TfrmEdit::ShowOpenedImage(std::unique_ptr<imaging::TGPBitmap> Image) {
  SetImage(std::move(Image));
  RefreshPanel2();
  Zoom(TZoomState::zsAll, 0);
  if (FOnImageOpen) FOnImageOpen(this);
}

void TfrmEdit::SetBitmap(const QImage& Value) {
  // Adopted first, so that a picture too large for memory uses no number.
  std::unique_ptr<imaging::TGPBitmap> image = imaging::TGPBitmap::FromHBITMAP(Value);
  setWindowTitle(QStringLiteral("新規画像") + QString::number(FHost.IncNewImage()));
  FModified = true;
  ShowOpenedImage(std::move(image));
}

void TfrmEdit::SetFileName(const QString& Value) {
  FFileName = Value;
  setWindowTitle(QFileInfo(Value).fileName());
  std::unique_ptr<imaging::TGPBitmap> image;
  {
    TBusyCursor busy;
    image = imaging::TGPBitmap::FromFile(Value);
  }
  if (!image) {
    close();
    return;
  }
  ShowOpenedImage(std::move(image));
}

void TfrmEdit::SetSaved(const QString& NewFileName) {
  FFileName = NewFileName;
  setWindowTitle(QFileInfo(NewFileName).fileName());
}

// --- view and zoom ----------------------------------------------------------------------------

void TfrmEdit::Zoom(TZoomState State, double Rate) {
  if (!FBitmap) return;
  switch (State) {
    case TZoomState::zsSame:
      FShowRate = 1.0;
      break;
    case TZoomState::zsAll: {
      const QSize client = FscbEdit->viewport()->size();
      FShowRate = std::min(static_cast<double>(client.width()) / FBitmap->Width(),
                           static_cast<double>(client.height()) / FBitmap->Height());
      break;
    }
    case TZoomState::zsZoomIn: {
      // Steps in extended precision, stored as a double: the binary error accumulates.
      const long double rate = static_cast<long double>(FShowRate) + 0.2L;
      FShowRate = rate > 4.0L ? 4.0 : static_cast<double>(rate);
      break;
    }
    case TZoomState::zsZoomOut: {
      const long double rate = static_cast<long double>(FShowRate) - 0.2L;
      FShowRate = rate < 0.15L ? 0.15 : static_cast<double>(rate);
      break;
    }
    case TZoomState::zsZoomAs:
      FShowRate = Rate;
      break;
  }
  const QSize view(RoundHalfEven(FBitmap->Width() * FShowRate),
                   RoundHalfEven(FBitmap->Height() * FShowRate));
  FpnlFrame->resize(view + QSize(2 * kFrameBorder, 2 * kFrameBorder));
  FpbxEdit->resize(view);
  FPanels[1]->setText(QString::number(std::round(FShowRate * 100), 'f', 0) + u'%');
  RepaintNow();
}

void TfrmEdit::FitWindow() {
  // Room for the frame and a margin as wide as the frame's border on the far side, so that the
  // whole picture shows without scrolling.
  QWidget* client = widget();
  const QSize scrollArea = FpbxEdit->size() + QSize(16, 16);
  const QSize clientSize(scrollArea.width(), scrollArea.height() + FstbEdit->height());
  resize(size() - client->size() + clientSize);
}

void TfrmEdit::RepaintNow() { FpbxEdit->repaint(); }

const QImage& TfrmEdit::ReducedView() {
  if (FReducedView.size() != FpbxEdit->size())
    FReducedView = imaging::ReducedForView(FBitmap->Image(), FpbxEdit->size());
  return FReducedView;
}

void TfrmEdit::pbxEditPaint(QPainter& Painter, const QRect& Exposed) {
  if (!FBitmap) return;
  const QImage& image = FBitmap->Image();
  if (FpbxEdit->width() < image.width() || FpbxEdit->height() < image.height()) {
    // Below 100 %: the smoothly reduced copy, made once for this size.
    Painter.drawImage(Exposed.topLeft(), ReducedView(), Exposed);
  } else {
    // At 100 % and above: crisp blocks of the image pixels under the exposed area only.
    const int left = std::max(0, static_cast<int>(std::floor(Exposed.left() / FShowRate)));
    const int top = std::max(0, static_cast<int>(std::floor(Exposed.top() / FShowRate)));
    const int right =
        std::min(image.width(), static_cast<int>(std::ceil((Exposed.right() + 1) / FShowRate)));
    const int bottom =
        std::min(image.height(), static_cast<int>(std::ceil((Exposed.bottom() + 1) / FShowRate)));
    if (right > left && bottom > top) {
      const QRect source(left, top, right - left, bottom - top);
      const QImage part = image.copy(source).convertToFormat(QImage::Format_ARGB32_Premultiplied);
      const QRectF target(left * FShowRate, top * FShowRate, source.width() * FShowRate,
                          source.height() * FShowRate);
      Painter.drawImage(target, part);
    }
  }
  DrawMark(Painter);
}

QPoint TfrmEdit::ToView(const TPoint& P) const {
  return QPoint(RoundHalfEven(P.X * FShowRate), RoundHalfEven(P.Y * FShowRate));
}

TPoint TfrmEdit::ToImage(int X, int Y) const {
  return TPoint{RoundHalfEven(X / FShowRate), RoundHalfEven(Y / FShowRate)};
}

void TfrmEdit::DrawMark(QPainter& Painter) const {
  if (!FDragging && !FSelected) return;
  if (FPoints.P1 == FPoints.P2) return;
  // Drawn over a freshly painted picture each time, so it overwrites and is never inverted away.
  Painter.setRenderHint(QPainter::Antialiasing, false);
  Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  Painter.setPen(
      QPen(FromColorRef(ColorToRGB(static_cast<int32_t>(FHost.BandColor()))), 1, Qt::SolidLine));
  Painter.setBrush(Qt::NoBrush);
  const QPoint a = ToView(FPoints.P1), b = ToView(FPoints.P2);
  if (FEditMode == TEditMode::emRevise)
    Painter.drawLine(a, b);
  else
    Painter.drawRect(QRect(a, b).normalized().adjusted(0, 0, -1, -1));
}

// --- status panels ----------------------------------------------------------------------------

void TfrmEdit::RefreshPanel2() {
  FPanels[2]->setText(QStringLiteral("%1×%2").arg(FBitmap->Width()).arg(FBitmap->Height()));
}

void TfrmEdit::RefreshPanel3() {
  if (FDragging)
    FPanels[3]->setText(QStringLiteral("(%1, %2)-(%3, %4)")
                            .arg(FPoints.P1.X)
                            .arg(FPoints.P1.Y)
                            .arg(FPoints.P2.X)
                            .arg(FPoints.P2.Y));
  else
    FPanels[3]->clear();
}

// --- marking ----------------------------------------------------------------------------------

void TfrmEdit::RaiseSelect() {
  if (FOnSelect) FOnSelect(this);
}

void TfrmEdit::ClearMark() {
  FSelected = false;
  RaiseSelect();
  RefreshPanel3();
}

void TfrmEdit::SetEditMode(TEditMode Value) {
  if (Value == FEditMode) return;
  const bool markShown = FDragging || FSelected;
  FEditMode = Value;
  FDragging = false;
  FReviseCount = 0;
  if (FSelected) ClearMark();
  // The band of the old mode would otherwise stay on the screen until the next repaint.
  if (markShown) RepaintNow();
}

void TfrmEdit::pbxEditMouseDown(Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y) {
  if (Button != Qt::LeftButton || (Held & (Qt::RightButton | Qt::MiddleButton))) return;
  const TPoint p = ToImage(X, Y);
  // A second click on the first point marked nothing and left the count at 2: this click then
  // starts a new line, so that any later pair of clicks completes one.
  if (FReviseCount >= 2) FReviseCount = 0;
  FDragging = true;
  FSelected = false;
  RaiseSelect();
  if (FEditMode == TEditMode::emRevise && FReviseCount != 0) {
    FPoints.P2 = p;
  } else {
    FPoints.P1 = p;
    FPoints.P2 = p;
  }
  RefreshPanel3();
  if (FEditMode == TEditMode::emRevise) ++FReviseCount;
  RepaintNow();
}

void TfrmEdit::pbxEditMouseMove(int X, int Y) {
  const TPoint p = ToImage(X, Y);
  FPanels[0]->setText(QStringLiteral("X:%1 Y:%2").arg(p.X).arg(p.Y));
  if (FDragging) {
    FPoints.P2 = p;
    RefreshPanel3();
    RepaintNow();
  }
  if (FOnUpdateLoupe) FOnUpdateLoupe(this, p.X, p.Y);
}

void TfrmEdit::pbxEditMouseUp(Qt::MouseButton Button, int X, int Y) {
  if (Button != Qt::LeftButton || !FDragging) return;
  const TPoint p = ToImage(X, Y);
  if (FEditMode == TEditMode::emSelect || FReviseCount == 2) {
    FDragging = false;
    FSelected = !(p == FPoints.P1);
    FPoints.P2 = p;
    RefreshPanel3();
    RaiseSelect();
  }
  if (FSelected && FEditMode == TEditMode::emRevise && FReviseCount == 2) {
    FReviseCount = 0;
    ShowRotateMenu();
  }
}

void TfrmEdit::pbxEditMouseLeave() { FPanels[0]->clear(); }

// --- tilt correction --------------------------------------------------------------------------

void TfrmEdit::ShowRotateMenu() {
  FAngle = TRotateAngle::Create(FPoints);
  const QString horz = QStringLiteral("水平"), vert = QStringLiteral("垂直");
  FpmitLeftHorz->setText(AngleCaption(horz, FAngle.LeftHorzAngle(), u'H'));
  FpmitLeftVert->setText(AngleCaption(vert, FAngle.LeftVertAngle(), u'V'));
  FpmitRightHorz->setText(AngleCaption(horz, FAngle.RightHorzAngle(), u'H'));
  FpmitRightVert->setText(AngleCaption(vert, FAngle.RightVertAngle(), u'V'));
  FppmRotate->popup(QCursor::pos());
}

void TfrmEdit::RotateExecute(int Tag) {
  double angle;
  switch (Tag) {
    case 0:
      angle = -FAngle.LeftHorzAngle();
      break;
    case 1:
      angle = -FAngle.LeftVertAngle();
      break;
    case 2:
      angle = FAngle.RightHorzAngle();
      break;
    default:
      angle = FAngle.RightVertAngle();
      break;
  }
  FSelected = false;
  Rotate(angle);
  RaiseSelect();
}

void TfrmEdit::pmitRotateCancelClick() {
  ClearMark();
  RepaintNow();
}

void TfrmEdit::Rotate(double Angle) {
  {
    TBusyCursor busy;
    RotateBitmap(Angle);
  }
  RefreshPanel2();
  Zoom(TZoomState::zsZoomAs, FShowRate);
}

void TfrmEdit::RotateBitmap(double Angle) {
  const float w = static_cast<float>(FBitmap->Width());
  const float h = static_cast<float>(FBitmap->Height());
  const double r = Angle * std::numbers::pi / 180;
  const double s = std::sin(r), c = std::cos(r);
  // Turned corners (0,0), (w,0), (0,h), (w,h), each coordinate stored as a 32-bit float. With Y
  // downwards, a positive angle turns clockwise on the screen.
  QPointF corners[4];
  const float source[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < 4; ++i) {
    const float x = static_cast<float>(c * source[i][0] - s * source[i][1]);
    const float y = static_cast<float>(s * source[i][0] + c * source[i][1]);
    corners[i] = QPointF(x, y);
    minX = i ? std::min(minX, x) : x;
    maxX = i ? std::max(maxX, x) : x;
    minY = i ? std::min(minY, y) : y;
    maxY = i ? std::max(maxY, y) : y;
  }
  // The differences of the stored floats, taken exactly before rounding.
  const int W = RoundHalfEven(static_cast<long double>(maxX) - minX);
  const int H = RoundHalfEven(static_cast<long double>(maxY) - minY);
  const QPointF shift(minX, minY);
  const QPointF points[3] = {corners[0] - shift, corners[1] - shift, corners[2] - shift};

  auto canvas = imaging::TGPBitmap::FromScan0(W, H);
  {
    imaging::TGPGraphics graphics(*canvas);
    graphics.FillRectangle(FHost.BackColor(), QRectF(0, 0, W, H));
    graphics.DrawImagePoints(*FBitmap, points);
  }
  ReplaceWithSnapshot(std::move(canvas));
}

void TfrmEdit::ReplaceWithSnapshot(std::unique_ptr<imaging::TGPBitmap> NewImage) {
  // The new picture is complete before anything changes, so a failure on the way (no memory
  // for the canvas or the snapshot) leaves the editor with its image and its history as they were.
  NewImage->SetResolution(FBitmap->HorizontalResolution(), FBitmap->VerticalResolution());
  FUndo.Push(std::move(FBitmap));
  FHost.UndoChanged();
  SetImage(std::move(NewImage));
  FModified = true;
}

// --- undo -------------------------------------------------------------------------------------

bool TfrmEdit::CanUndo() const { return FUndo.Count() > 0 || FSelected; }

void TfrmEdit::Undo() {
  if (FSelected) {
    ClearMark();
    RepaintNow();
    return;
  }
  if (FUndo.Count() == 0) return;
  SetImage(FUndo.Pop());
  RefreshPanel2();
  Zoom(TZoomState::zsZoomAs, FShowRate);
}

// --- trim, mirror, copy -----------------------------------------------------------------------

void TfrmEdit::DoTrim() {
  // A rectangle dragged beyond the picture keeps only the part that lies on it; with nothing
  // left there is nothing to trim to.
  const QRect area = FPoints.Rect().intersected(FBitmap->Image().rect());
  if (area.isEmpty()) return;
  {
    TBusyCursor busy;
    ReplaceWithSnapshot(FBitmap->CloneArea(area));
  }
  FSelected = false;
  RaiseSelect();
  RefreshPanel2();
  RefreshPanel3();
  Zoom(TZoomState::zsZoomAs, FShowRate);
}

void TfrmEdit::Mirror(TMirrorMode Mode) {
  {
    TBusyCursor busy;
    const int w = FBitmap->Width(), h = FBitmap->Height();
    auto mirrored = imaging::TGPBitmap::FromScan0(w, h);
    {
      imaging::TGPGraphics graphics(*mirrored);
      graphics.FillRectangle(FHost.BackColor(), QRectF(0, 0, w, h));
      const QPointF horizontal[3] = {QPointF(w, 0), QPointF(0, 0), QPointF(w, h)};
      const QPointF vertical[3] = {QPointF(0, h), QPointF(w, h), QPointF(0, 0)};
      graphics.DrawImagePoints(*FBitmap, Mode == TMirrorMode::mmHorizontal ? horizontal : vertical);
    }
    ReplaceWithSnapshot(std::move(mirrored));
  }
  if (FSelected) ClearMark();
  Zoom(TZoomState::zsZoomAs, FShowRate);
}

void TfrmEdit::CopyClipboard() {
  const QRect whole = FBitmap->Image().rect();
  const QRect area = FSelected ? FPoints.Rect().intersected(whole) : whole;
  if (area.isEmpty()) return;
  // One image pixel per bitmap pixel, whatever resolution the file recorded.
  QImage bitmap(area.size(), QImage::Format_ARGB32);
  bitmap.fill(Qt::transparent);
  {
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), FBitmap->Image(), area);
  }
  QApplication::clipboard()->setImage(bitmap);
}

// --- closing ----------------------------------------------------------------------------------

bool TfrmEdit::CloseQuery() {
  bool canClose = true;
  if (FModified && FOnAskSave && !RunGuarded([&] { FOnAskSave(this, canClose); })) canClose = false;
  return canClose;
}

void TfrmEdit::closeEvent(QCloseEvent* Event) {
  if (!CloseQuery()) {
    Event->ignore();
    return;
  }
  // Announced before the frame activates the next window, so that the next one's activation
  // has the last word on the commands.
  if (FOnImageClose) RunGuarded([&] { FOnImageClose(this); });
  QMdiSubWindow::closeEvent(Event);
}
