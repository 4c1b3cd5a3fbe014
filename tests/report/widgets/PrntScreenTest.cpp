#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "ReportTestSupport.h"
#include "TempDir.h"
#include "base/testing/NoticeRecorder.h"
#include "report/CapturePlacement.h"
#include "report/ReportRun.h"
#include "report/widgets/PrntScreen.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

// A window whose picture is easy to check: four coloured quarters with a
// black frame and a grid of thin lines; it remembers where it was while
// being painted.
class TestWindow : public QWidget {
 public:
  explicit TestWindow(QSize size) { setFixedSize(size); }
  QPoint paintedAt;

 protected:
  void paintEvent(QPaintEvent*) override {
    paintedAt = pos();
    QPainter painter(this);
    const int w = width() / 2;
    const int h = height() / 2;
    painter.fillRect(0, 0, w, h, QColor(216, 41, 24));
    painter.fillRect(w, 0, width() - w, h, QColor(103, 123, 182));
    painter.fillRect(0, h, w, height() - h, QColor(247, 198, 0));
    painter.fillRect(w, h, width() - w, height() - h, Qt::white);
    painter.setPen(Qt::black);
    for (int x = w + 10; x < width(); x += 20) painter.drawLine(x, h, x, height());
    painter.drawRect(0, 0, width() - 1, height() - 1);
  }
};

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Mean difference per channel between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) sum += Distance(a.pixel(x, y), b.pixel(x, y));
  return sum / (3.0 * a.width() * a.height());
}

TEST(PrntScreenTest, AThousandBy709ClientGivesAThousandBy709PrivateJpegThatGoesWithItsOwner) {
  test::PrivateTmpdir temporary;
  TestWindow window(QSize(1000, 709));
  CPrntScreen capture;
  const QImage expected = capture.CaptureClientArea(window);
  ASSERT_EQ(expected.size(), QSize(1000, 709));

  fs::path path;
  {
    QString error;
    std::unique_ptr<CaptureFile> file = capture.CaptureToFile(window, &error);
    ASSERT_TRUE(file) << error.toStdString();
    path = file->Path();
    EXPECT_EQ(path.parent_path(), temporary.Path());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    QImageReader reader(QString::fromStdString(path.string()));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(1000, 709));
    // The quarters sit where the window has them, and the thin lines survive
    // the compression: the picture is the window, not a blur of it.
    EXPECT_LT(Distance(picture.pixel(250, 177), qRgb(216, 41, 24)), 12);
    EXPECT_LT(Distance(picture.pixel(750, 177), qRgb(103, 123, 182)), 12);
    EXPECT_LT(Distance(picture.pixel(250, 531), qRgb(247, 198, 0)), 12);
    EXPECT_LT(Distance(picture.pixel(530, 531), qRgb(0, 0, 0)), 90);
    EXPECT_LT(Distance(picture.pixel(520, 531), qRgb(255, 255, 255)), 90);
    EXPECT_LT(MeanDifference(picture, expected.convertToFormat(QImage::Format_RGB32)), 2.0);
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::is_empty(temporary.Path()));
}

TEST(PrntScreenTest, AWindowReachingOutsideTheScreenIsCentredForTheCaptureAndPutBack) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QRect desktop = screen->availableGeometry();
  const QRect all = screen->virtualGeometry();
  TestWindow window(QSize(200, 100));
  CPrntScreen capture;

  const QPoint outside(all.right() - 50, all.bottom() - 50);
  window.move(outside);
  EXPECT_EQ(capture.CaptureClientArea(window).size(), QSize(200, 100));
  const ScreenRect centred =
      CentredOn({outside.x(), outside.y(), 200, 100}, {desktop.x(), desktop.y(), desktop.width(), desktop.height()});
  EXPECT_EQ(window.paintedAt, QPoint(centred.x, centred.y));
  EXPECT_EQ(window.pos(), outside);

  const QPoint inside(all.x() + 10, all.y() + 10);
  window.move(inside);
  capture.CaptureClientArea(window);
  EXPECT_EQ(window.paintedAt, inside);
  EXPECT_EQ(window.pos(), inside);
}

TEST(PrntScreenTest, TheChartPageShowsTheWholeCaptureUndistorted) {
  test::TempDir dir;
  test::PrivateTmpdir temporary;
  test::SampleUser sample(dir / "base", {test::SampleDay(2008, 3, 5, 8000)}, {test::SampleSession(2008, 3, 5, 7, 900)});
  UserSettings settings;
  settings.SetPath(sample.paths.SettingsFile());
  TestWindow window(QSize(1000, 709));
  std::unique_ptr<CaptureFile> picture = CPrntScreen().CaptureToFile(window);
  ASSERT_TRUE(picture);

  ReportRequest request;
  request.folder = dir.Path().string();
  request.fileName = "March.pdf";
  request.from = std::chrono::year_month_day{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{1}};
  request.to = request.from;
  request.chart = true;
  request.detail = true;
  request.picture = picture->Path();
  NoticeRecorder notices;
  const ReportResult result = WriteReport(request, sample.user, sample.paths, settings);
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_TRUE(notices.Texts().empty());
  picture.reset();
  EXPECT_TRUE(fs::is_empty(temporary.Path()));

  const std::vector<test::PdfImage> images = test::PdfImagesByPage(result.written);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].page, 3);
  EXPECT_EQ(images[0].width, 1000);
  EXPECT_EQ(images[0].height, 709);
  // 1000 x 709 pixels over 672.8 x 476 points: the same resolution both ways.
  EXPECT_NEAR(images[0].xPpi, 107, 1);
  EXPECT_NEAR(images[0].yPpi, images[0].xPpi, 1);
}

}  // namespace
}  // namespace tempovia
