#include "untOption.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <functional>

#include "ColorComboBox.h"
#include "DialogParts.h"
#include "ErrorGuard.h"
#include "ExtIniFile.h"
#include "SystemColors.h"
#include "UpdownNumberEdit.h"

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kBandColor = QStringLiteral("BandColor");
const QString kBackColor = QStringLiteral("BackColor");
const QString kBackAlpha = QStringLiteral("BackAlpha");
constexpr TColor kDefaultBandColor = 0x0000FFFF;  // yellow
constexpr TColor kDefaultBackColor = 0x00FFFFFF;  // white
constexpr int32_t kDefaultBackAlpha = 255;

// A panel with a one-pixel raised bevel whose face is a grey and white checkerboard toned down
// over the face colour, so that a partly transparent colour painted on it shows the squares.
class TSamplePanel : public QFrame {
 public:
  explicit TSamplePanel(QWidget* Parent) : QFrame(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
  }

 protected:
  void paintEvent(QPaintEvent* Event) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setOpacity(0.7);
    painter.fillRect(rect(), QBrush(Tile()));
    painter.end();
    QFrame::paintEvent(Event);
  }

 private:
  static QPixmap Tile() {
    QPixmap tile(32, 32);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    const QColor grey(127, 127, 127);
    painter.fillRect(0, 0, 16, 16, grey);
    painter.fillRect(16, 16, 16, 16, grey);
    return tile;
  }
};

// A bare paint surface that leaves its painting to the dialog.
class TPaintBox : public QWidget {
 public:
  TPaintBox(QWidget* Parent, std::function<void(QPainter&)> OnPaint)
      : QWidget(Parent), FOnPaint(std::move(OnPaint)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    RunGuarded([&] { FOnPaint(painter); });
  }

 private:
  std::function<void(QPainter&)> FOnPaint;
};

QLabel* NewLabel(QWidget* Parent, const char* Name, const QString& Caption, QPoint Pos) {
  auto* label = new QLabel(Caption, Parent);
  label->setObjectName(QString::fromLatin1(Name));
  label->adjustSize();
  label->move(Pos);
  return label;
}

}  // namespace

TfrmOption::TfrmOption(QWidget* Owner, TExtIniFile& Store) : QDialog(Owner), FStore(Store) {
  SetUpFixedDialog(*this, "frmOption", QStringLiteral("オプション"), {312, 203});

  FGroupBox1 = new QGroupBox(QStringLiteral("ラバーバンド"), this);
  FGroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  FGroupBox1->setGeometry(3, 3, 306, 50);
  NewLabel(FGroupBox1, "Label1", QStringLiteral("表示色"), {12, 24});
  FcmbRubber = new TColorComboBox(FGroupBox1);
  FcmbRubber->setObjectName(QStringLiteral("cmbRubber"));
  FcmbRubber->setGeometry(56, 20, 161, 22);

  FbtnOk = NewButton(this, "btnOk", QStringLiteral("&OK"), {52, 168, 77, 25});
  FbtnOk->setDefault(true);
  connect(FbtnOk, &QPushButton::clicked, this, [this] {
    if (RunGuarded([this] { btnOkClick(); })) accept();
  });
  FbtnCancel = NewButton(this, "btnCancel", QStringLiteral("キャンセル(&C)"), {184, 168, 77, 25});
  connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  // Below the first box, each keeping its 3-pixel margins.
  FGroupBox2 = new QGroupBox(QStringLiteral("画像の背景"), this);
  FGroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  FGroupBox2->setGeometry(3, 3 + 50 + 3 + 3, 306, 90);
  NewLabel(FGroupBox2, "Label2", QStringLiteral("背景色"), {12, 24});
  FcmbBackColor = new TColorComboBox(FGroupBox2);
  FcmbBackColor->setObjectName(QStringLiteral("cmbBackColor"));
  FcmbBackColor->setGeometry(56, 20, 161, 22);
  FcmbBackColor->SetOnChange([this](TColorComboBox&) { cmbBackColorChange(); });
  NewLabel(FGroupBox2, "Label3", QStringLiteral("透過度"), {12, 56});
  FtrkTrans = new QSlider(Qt::Horizontal, FGroupBox2);
  FtrkTrans->setObjectName(QStringLiteral("trkTrans"));
  FtrkTrans->setGeometry(52, 52, 109, 25);
  FtrkTrans->setRange(0, 255);
  FtrkTrans->setTickPosition(QSlider::NoTicks);
  connect(FtrkTrans, &QSlider::valueChanged, this,
          [this] { RunGuarded([this] { trkTransChange(); }); });
  FedtTrans = new TUpdownNumberEdit(FGroupBox2);
  FedtTrans->setObjectName(QStringLiteral("edtTrans"));
  FedtTrans->setGeometry(168, 52, 49, 21);
  FedtTrans->SetFigure(0);
  FedtTrans->SetLimit(true);
  FedtTrans->SetLimitOptions({TLimitOption::loMax, TLimitOption::loMin});
  FedtTrans->SetMax(255);
  FedtTrans->SetMin(0);
  FedtTrans->SetOnChange([this](TNumberEditModel&) { edtTransChange(); });
  FpnlSample = new TSamplePanel(FGroupBox2);
  FpnlSample->setObjectName(QStringLiteral("pnlSample"));
  FpnlSample->setGeometry(232, 20, 61, 57);
  FpbSample = new TPaintBox(FpnlSample, [this](QPainter& Painter) { pbSamplePaint(Painter); });
  FpbSample->setObjectName(QStringLiteral("pbSample"));
  FpbSample->setGeometry(1, 1, 59, 55);

  FormCreate();
}

void TfrmOption::FormCreate() {
  FcmbRubber->SetSelected(FStore.ReadColor(kOptions, kBandColor, kDefaultBandColor));
  FcmbBackColor->SetSelected(FStore.ReadColor(kOptions, kBackColor, kDefaultBackColor));
  // The box holds a stored opacity outside 0..255 at the nearer limit.
  FedtTrans->SetAsInteger(FStore.ReadInt(kOptions, kBackAlpha, kDefaultBackAlpha));
  FtrkTrans->setValue(FedtTrans->AsInteger());
  FpbSample->update();
}

void TfrmOption::btnOkClick() {
  FStore.WriteColor(kOptions, kBandColor, FcmbRubber->Selected());
  FStore.WriteColor(kOptions, kBackColor, FcmbBackColor->Selected());
  FStore.WriteInt(kOptions, kBackAlpha, FedtTrans->AsInteger());
}

void TfrmOption::cmbBackColorChange() { FpbSample->update(); }

// The two handlers below compare before they set, so neither calls the other back again.
void TfrmOption::trkTransChange() {
  if (FedtTrans->AsInteger() == FtrkTrans->value()) return;
  FedtTrans->SetAsInteger(FtrkTrans->value());
  FpbSample->update();
}

void TfrmOption::edtTransChange() {
  if (FedtTrans->AsInteger() == FtrkTrans->value()) return;
  FtrkTrans->setValue(FedtTrans->AsInteger());
  FpbSample->update();
}

uint32_t TfrmOption::SampleColor() const {
  return PackBackColor(FcmbBackColor->Selected(), FedtTrans->AsInteger());
}

void TfrmOption::pbSamplePaint(QPainter& Painter) {
  Painter.fillRect(QRectF(0, 0, FpbSample->width(), FpbSample->height()),
                   QColor::fromRgba(SampleColor()));
}
