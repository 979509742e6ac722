// The program has one picture: the windows' icon (ui resources), the icon Linux installs (the same
// file, cmake/Install.cmake) and the Windows program's .ico (made from it by
// tools/make-windows-icon.sh) must show the same thing, or the task bar and the window disagree.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>
#include <map>

namespace {

QImage Rendered(const QString& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(svg);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// The mean difference of two pictures of one size over every channel, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  double sum = 0;
  for (int y = 0; y < left.height(); ++y)
    for (int x = 0; x < left.width(); ++x) {
      const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
             std::abs(qAlpha(p) - qAlpha(q));
    }
  return sum / (4.0 * left.width() * left.height());
}

TEST(AppIconTest, TheWindowsIconIsTheWindowsPicture) {
  std::map<int, QImage> icons;  // by size
  QImageReader reader(QStringLiteral(VEYRA_SOURCE_DIR "/data/veyra-setup.ico"), "ico");
  for (int i = 0; i < reader.imageCount(); ++i) {
    reader.jumpToImage(i);
    const QImage image = reader.read();
    if (!image.isNull() && image.width() == image.height()) icons[image.width()] = image;
  }
  const struct {
    const char* expect;
    int size;
  } rows[] = {
      {"the task bar's small icon is the window's picture", 16},
      {"Explorer's icon is the window's picture", 32},
      {"the large icon is the window's picture", 48},
      {"the high-density icon is the window's picture", 256},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    ASSERT_EQ(icons.count(row.size), 1u) << "no " << row.size << " px picture in the .ico";
    // Two renderers draw edges a little apart; another picture differs by tens.
    EXPECT_LT(MeanDifference(icons[row.size], Rendered(QStringLiteral(":/icons/app.svg"), row.size)), 6.0);
  }
}

}  // namespace
