#include "untLupe.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <limits>
#include <utility>

#include "ErrorGuard.h"
#include "ExtIniFile.h"
#include "SystemColors.h"
#include "untEdit.h"

namespace {

const QString kForms = QStringLiteral("Forms");
// The view is kCells x kCells image pixels around the centre one; it never gets narrower than
// kMinCells screen pixels a cell.
constexpr int kCells = 9;
constexpr int kHalf = kCells / 2;
constexpr int kMinCells = 4;
constexpr int kInitialSide = 12 * kCells;
const QColor kBackground(128, 128, 128);

// Paints through its window, which owns what is shown.
class TLupePaintBox : public QWidget {
 public:
  explicit TLupePaintBox(TfrmLupe& Form) : QWidget(&Form), FForm(Form) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    RunGuarded([this] {
      QPainter Painter(this);
      FForm.pbxLupePaint(Painter);
    });
  }

 private:
  TfrmLupe& FForm;
};

QColor BandPenColor(uint32_t Color) {
  const uint32_t Rgb = ColorToRGB(static_cast<int32_t>(Color));
  return QColor(Rgb & 0xFF, (Rgb >> 8) & 0xFF, (Rgb >> 16) & 0xFF);
}

int32_t ToInt32(intptr_t Value) {
  return static_cast<int32_t>(std::clamp<intptr_t>(Value, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

// The part of the image inside the kCells x kCells window centred on Centre, in image pixels;
// empty when the window lies wholly outside. 64-bit, so that no centre can overflow.
QRect VisibleCells(const QImage& Image, const TPoint& Centre) {
  const int64_t Left = int64_t{Centre.X} - kHalf;
  const int64_t Top = int64_t{Centre.Y} - kHalf;
  const int64_t L = std::max<int64_t>(Left, 0);
  const int64_t T = std::max<int64_t>(Top, 0);
  const int64_t R = std::min<int64_t>(Left + kCells, Image.width());
  const int64_t B = std::min<int64_t>(Top + kCells, Image.height());
  if (L >= R || T >= B) return QRect();
  return QRect(static_cast<int>(L), static_cast<int>(T), static_cast<int>(R - L),
               static_cast<int>(B - T));
}

}  // namespace

TfrmLupe::TfrmLupe(QWidget* Owner, TExtIniFile& Store, std::function<uint32_t()> BandColor,
                   std::function<void()> OnDestroyed)
    : QWidget(Owner, Qt::Tool),
      FStore(&Store),
      FBandColor(std::move(BandColor)),
      FOnDestroyed(std::move(OnDestroyed)) {
  setObjectName(QStringLiteral("frmLupe"));
  setWindowTitle(QStringLiteral("ルーペ"));
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, kBackground);
  setPalette(Palette);
  setAutoFillBackground(true);
  // Window managers that honour it let the user drag only whole cells; resizeEvent squares it.
  setSizeIncrement(kCells, kCells);
  setBaseSize(0, 0);

  FpbxLupe = new TLupePaintBox(*this);
  FpbxLupe->setObjectName(QStringLiteral("pbxLupe"));
  FpbxLupe->setAutoFillBackground(true);

  FOldWin = QSize(kInitialSide, kInitialSide);
  resize(FOldWin);
  FpbxLupe->setGeometry(rect());
  FStore->ReadFormEx2(kForms, *this);
}

TfrmLupe::~TfrmLupe() {
  RunGuarded([this] {
    if (FStore) FStore->WriteForm2(kForms, *this);
  });
  // The owner's reference must go even when the placement could not be written.
  RunGuarded([this] {
    if (FOnDestroyed) FOnDestroyed();
  });
}

void TfrmLupe::UpdateLoupe(TfrmEdit* Target, intptr_t X, intptr_t Y) {
  SetTarget(Target);
  FPoints = TPoint{ToInt32(X), ToInt32(Y)};
  FpbxLupe->repaint();
}

void TfrmLupe::SetTarget(TfrmEdit* Target) {
  if (Target == FTarget.data()) return;
  disconnect(FTargetGone);
  FTarget = Target;
  // A closed editor's pixels must not linger on the screen; the repaint comes later, when the
  // editor is wholly gone and the pointer is clear.
  if (Target)
    FTargetGone = connect(Target, &QObject::destroyed, FpbxLupe, qOverload<>(&QWidget::update));
}

bool TfrmLupe::FormCanResize(int& NewWidth, int& NewHeight) const {
  const int nW = NewWidth / kCells;
  const int nH = NewHeight / kCells;
  const bool Growing =
      NewWidth != FOldWin.width() ? NewWidth > FOldWin.width() : NewHeight >= FOldWin.height();
  int n = std::max(nW, nH);
  if (!Growing) {
    if (nW < kMinCells || nH < kMinCells) return false;
    n = std::min(nW, nH);
  }
  NewWidth = kCells * n;
  NewHeight = kCells * n;
  return true;
}

void TfrmLupe::resizeEvent(QResizeEvent* Event) {
  RunGuarded([this, Event] {
    QWidget::resizeEvent(Event);
    // A maximised or full-screen window has the size the window manager gives it.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
      int W = width();
      int H = height();
      FOldWin = FormCanResize(W, H) ? QSize(W, H) : FOldWin;
      if (size() != FOldWin) resize(FOldWin);
    }
    FpbxLupe->setGeometry(rect());
  });
}

void TfrmLupe::pbxLupePaint(QPainter& Painter) {
  const int W = FpbxLupe->width();
  const int H = FpbxLupe->height();
  // Crisp blocks: no smoothing, whatever the painter was set to.
  Painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  Painter.setRenderHint(QPainter::Antialiasing, false);
  if (FTarget && FTarget->Bitmap()) {
    const QImage& Image = FTarget->Bitmap()->Image();
    const QRect Visible = VisibleCells(Image, FPoints);
    if (!Visible.isEmpty()) {
      // Cells outside the image keep the surface's background.
      const qreal CellW = qreal(W) / kCells;
      const qreal CellH = qreal(H) / kCells;
      const QRectF Target((Visible.left() - (FPoints.X - kHalf)) * CellW,
                          (Visible.top() - (FPoints.Y - kHalf)) * CellH, Visible.width() * CellW,
                          Visible.height() * CellH);
      Painter.drawImage(Target, Image.copy(Visible));
    }
  }
  // The centre cell framed with a one-pixel margin: pixels 4c - 1 through 5c.
  const int c = W / kCells;
  Painter.setPen(QPen(BandPenColor(FBandColor()), 1, Qt::SolidLine));
  Painter.setBrush(Qt::NoBrush);
  Painter.drawRect(QRect(kHalf * c - 1, kHalf * c - 1, c + 1, c + 1));
}
