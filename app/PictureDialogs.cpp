#include "PictureDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {

const QStringList kOpenFilters = {
    QStringLiteral("すべて (*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff)"),
    QStringLiteral("GIF 画像 (*.gif)"),
    QStringLiteral("Portable Network Graphics (*.png)"),
    QStringLiteral("JPEG イメージファイル (*.jpg)"),
    QStringLiteral("JPEG イメージファイル (*.jpeg)"),
    QStringLiteral("ビットマップ (*.bmp)"),
    QStringLiteral("TIFF 画像 (*.tif)"),
    QStringLiteral("TIFF 画像 (*.tiff)"),
};

const QStringList kSaveFilters = kOpenFilters.mid(1);

constexpr const char16_t* kSaveExtensions[] = {u".gif", u".png", u".jpg", u".jpeg",
                                               u".bmp", u".tif", u".tiff"};

constexpr int kPreviewSize = 200;

}  // namespace

QString SaveExtension(int FilterIndex) {
  return QString::fromUtf16(kSaveExtensions[FilterIndex - 1]);
}

TPictureFileDialog::TPictureFileDialog(QWidget* Owner, const QStringList& Filters, bool ForSaving)
    : FDialog(new QFileDialog(Owner)), FFilters(Filters) {
  // Qt's own dialog, so that a preview pane can be added and tests can drive it.
  FDialog->setOption(QFileDialog::DontUseNativeDialog);
  FDialog->setNameFilters(Filters);
  if (ForSaving) {
    FDialog->setAcceptMode(QFileDialog::AcceptSave);
    FDialog->setFileMode(QFileDialog::AnyFile);
    // The name that is finally written gets its extension after the dialog, so replacing a file
    // is confirmed by the caller for that name.
    FDialog->setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    FDialog->setAcceptMode(QFileDialog::AcceptOpen);
    FDialog->setFileMode(QFileDialog::ExistingFile);
  }
}

TPictureFileDialog::~TPictureFileDialog() = default;

bool TPictureFileDialog::Execute() {
  FDialog->selectNameFilter(FFilters.value(FFilterIndex - 1));
  FDialog->setDirectory(FInitialDir.isEmpty() ? QDir::currentPath() : FInitialDir);
  FDialog->selectFile(QFileInfo(FFileName).fileName());
  if (FDialog->exec() != QDialog::Accepted || FDialog->selectedFiles().isEmpty()) return false;
  FFileName = FDialog->selectedFiles().constFirst();
  FFilterIndex = static_cast<int>(FFilters.indexOf(FDialog->selectedNameFilter())) + 1;
  if (FFilterIndex < 1) FFilterIndex = 1;
  return true;
}

TOpenPictureDialog::TOpenPictureDialog(QWidget* Owner)
    : TPictureFileDialog(Owner, kOpenFilters, false), FPreview(new QLabel) {
  Dialog()->setWindowTitle(QStringLiteral("画像を開く"));
  FPreview->setFixedSize(kPreviewSize, kPreviewSize);
  FPreview->setAlignment(Qt::AlignCenter);
  FPreview->setFrameShape(QFrame::StyledPanel);
  if (auto* grid = qobject_cast<QGridLayout*>(Dialog()->layout()))
    grid->addWidget(FPreview, 0, grid->columnCount(), grid->rowCount(), 1);
  QObject::connect(Dialog(), &QFileDialog::currentChanged, FPreview,
                   [this](const QString& path) { ShowPreview(path); });
}

void TOpenPictureDialog::ShowPreview(const QString& Path) {
  QImageReader reader(Path);
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (!QFileInfo(Path).isFile() || !size.isValid()) {
    FPreview->clear();
    return;
  }
  // Decoding at preview size keeps large scans quick to browse.
  reader.setScaledSize(size.scaled(kPreviewSize - 4, kPreviewSize - 4, Qt::KeepAspectRatio)
                           .boundedTo(size));
  const QImage image = reader.read();
  if (image.isNull())
    FPreview->clear();
  else
    FPreview->setPixmap(QPixmap::fromImage(image));
}

TSavePictureDialog::TSavePictureDialog(QWidget* Owner)
    : TPictureFileDialog(Owner, kSaveFilters, true) {}
