#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <functional>
#include <set>

#include "CommandImages.h"

namespace {

struct TImageRef {
  std::string Name;
  std::function<QIcon(int)> List;
  int Index;
};

void PrintTo(const TImageRef& image, std::ostream* os) { *os << image.Name; }

std::vector<TImageRef> AllImages() {
  std::vector<TImageRef> images;
  for (int i = 0; i < ToolImageCount; ++i)
    images.push_back({"ilstTools_" + std::to_string(i), ToolImage, i});
  for (int i = 0; i < RotateImageCount; ++i)
    images.push_back({"ilstRotate_" + std::to_string(i), RotateImage, i});
  return images;
}

QImage Render(const QIcon& icon, QIcon::Mode mode = QIcon::Normal) {
  return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

class CommandImageTest : public ::testing::TestWithParam<TImageRef> {
 protected:
};

TEST_P(CommandImageTest, RendersVisibleImageOfSixteenPixels) {
  const QIcon icon = GetParam().List(GetParam().Index);
  ASSERT_FALSE(icon.isNull());
  const QImage image = Render(icon);
  ASSERT_EQ(image.size(), QSize(16, 16));
  std::set<QRgb> colours;
  int visible = 0, transparent = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb pixel = image.pixel(x, y);
      colours.insert(pixel);
      (qAlpha(pixel) > 0 ? visible : transparent)++;
    }
  }
  EXPECT_GT(visible, 16) << "next to nothing is drawn";
  EXPECT_GT(transparent, 0) << "no transparency";
  EXPECT_GT(colours.size(), 1u) << "all one colour";
}

TEST_P(CommandImageTest, DisabledLookDiffersFromEnabled) {
  const QIcon icon = GetParam().List(GetParam().Index);
  EXPECT_NE(Render(icon, QIcon::Disabled), Render(icon));
}

INSTANTIATE_TEST_SUITE_P(All, CommandImageTest, ::testing::ValuesIn(AllImages()),
                         [](const ::testing::TestParamInfo<TImageRef>& info) {
                           return info.param.Name;
                         });

TEST(CommandImagesTest, SvgImagePluginIsAvailable) {
  EXPECT_TRUE(QImageReader::supportedImageFormats().contains("svg"));
}

TEST(CommandImagesTest, EveryImageIsDifferent) {
  const std::vector<TImageRef> images = AllImages();
  for (size_t a = 0; a < images.size(); ++a) {
    for (size_t b = a + 1; b < images.size(); ++b) {
      EXPECT_NE(Render(images[a].List(images[a].Index)), Render(images[b].List(images[b].Index)))
          << images[a].Name << " and " << images[b].Name;
    }
  }
}

TEST(CommandImagesTest, IndexOutOfRangeGivesNullIcon) {
  EXPECT_TRUE(ToolImage(-1).isNull());
  EXPECT_TRUE(ToolImage(ToolImageCount).isNull());
  EXPECT_TRUE(RotateImage(-1).isNull());
  EXPECT_TRUE(RotateImage(RotateImageCount).isNull());
}

// A tool rather than a check: run with --gtest_also_run_disabled_tests
// --gtest_filter='*ContactSheet*' to write every image, enabled and disabled, enlarged four times
// on grey, to the file named by LEVELORA_CONTACT_SHEET (default command-images.png).
TEST(CommandImagesTest, DISABLED_WriteContactSheet) {
  const std::vector<TImageRef> images = AllImages();
  const int cell = 72, columns = 5;
  const int rows = (static_cast<int>(images.size()) + columns - 1) / columns;
  QImage sheet(columns * cell * 2, rows * (cell + 14), QImage::Format_ARGB32);
  sheet.fill(QColor(160, 160, 160));
  QPainter painter(&sheet);
  for (int i = 0; i < static_cast<int>(images.size()); ++i) {
    const QIcon icon = images[i].List(images[i].Index);
    const QPoint origin((i % columns) * cell * 2, (i / columns) * (cell + 14));
    painter.drawImage(QRect(origin + QPoint(4, 4), QSize(64, 64)), Render(icon));
    painter.drawImage(QRect(origin + QPoint(cell + 4, 4), QSize(64, 64)),
                      Render(icon, QIcon::Disabled));
    painter.drawText(origin + QPoint(4, cell + 8), QString::fromStdString(images[i].Name));
  }
  painter.end();
  const QString path = qEnvironmentVariable("LEVELORA_CONTACT_SHEET", "command-images.png");
  ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

}  // namespace
