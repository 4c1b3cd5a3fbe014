// tempovia-preview --out DIR [--scale N]: renders every skinned control,
// built-in picture and dialog offscreen into DIR as PNG files, at N device
// pixels per logical pixel (as on a desktop scaled to N x 100%), and a sample
// report.
// tempovia-preview --icons DIR --icon-name NAME: writes the application icon
// in each of its sizes as DIR/<size>x<size>/apps/NAME.png, the layout of the
// desktop's icon theme; the build installs them from there.
// tempovia-preview --screenshot DIR: only the main window with its week of
// steps, as DIR/main-steps.png, the screenshot software centres show.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "base/Version.h"
#include "charts/widgets/BarChart.h"
#include "charts/widgets/ChartTip.h"
#include "preview/SampleCalendar.h"
#include "preview/SampleCharts.h"
#include "preview/SampleClock.h"
#include "preview/SampleDialogs.h"
#include "preview/SampleReport.h"
#include "preview/SampleWindows.h"
#include "report/widgets/DlgPrint.h"
#include "skin/SkinLayout.h"
#include "widgets/Artwork.h"
#include "widgets/ExStatic.h"
#include "widgets/Fonts.h"
#include "widgets/Label.h"

namespace tempovia {
namespace {

class Writer {
 public:
  explicit Writer(QDir dir) : m_dir(std::move(dir)) {}

  bool Save(const QString& name, const QImage& image) {
    const QString path = m_dir.filePath(name + QStringLiteral(".png"));
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "tempovia-preview: cannot write %s\n", qPrintable(path));
      m_ok = false;
      return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
  }
  bool Save(const QString& name, QWidget& widget) { return Save(name, widget.grab().toImage()); }
  bool Ok() const { return m_ok; }
  void Fail() { m_ok = false; }

 private:
  QDir m_dir;
  bool m_ok = true;
};

const ChartPeriod kPeriods[] = {ChartPeriod::Week, ChartPeriod::Month, ChartPeriod::Year};
const ChartKind kChartKinds[] = {ChartKind::Steps, ChartKind::Calories, ChartKind::HeartRate, ChartKind::Distance};

CLabel* PlaceLabel(QWidget* parent, const Box& box, const QString& text, Rgb background, Rgb colour, int size,
                   bool bold, Qt::Alignment alignment) {
  auto* label = new CLabel(text, parent);
  label->setGeometry(box.x, box.y, box.width, box.height);
  label->SetBkColor(background);
  label->SetTextColor(colour);
  if (size > 0) label->SetFontSize(size);
  label->SetFontBold(bold);
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

// The report options as they open, and as a user has filled them in.
void RenderReportOptions(Writer& writer) {
  const SampleClock clock(LocalDateTime::From(2008, 3, 5, 9, 30, 0));
  {
    CDlgPrint dialog(nullptr, clock);
    dialog.SetOutputFolder(QStringLiteral("/home/anna/Desktop"));
    dialog.show();
    writer.Save(QStringLiteral("report-options"), dialog);
  }
  CDlgPrint dialog(nullptr, clock);
  dialog.SetOutputFolder(QStringLiteral("/home/anna/Documents/Walking reports/2008"));
  dialog.show();
  for (const char* box : {"chart", "detailedData", "sortStep", "alsoCsv"})
    dialog.findChild<QCheckBox*>(QLatin1String(box))->click();
  dialog.findChild<QComboBox*>(QStringLiteral("fromMonth"))->setCurrentIndex(1);
  dialog.findChild<QComboBox*>(QStringLiteral("fromDay"))->setCurrentIndex(0);
  writer.Save(QStringLiteral("report-options-filled"), dialog);
}

// A whole report with the main window's steps on its chart page, to look at
// with a PDF viewer or pdftoppm.
bool RenderSampleReport(QWidget& window, const QDir& dir) {
  QString error;
  const QString name = QStringLiteral("report-sample.pdf");
  if (!WriteSampleReport(window, dir.absolutePath(), name, &error)) {
    std::fprintf(stderr, "tempovia-preview: cannot write the sample report: %s\n", qPrintable(error));
    return false;
  }
  std::printf("%s\n", qPrintable(dir.absoluteFilePath(name)));
  return true;
}

// An image of a logical size at the ratio, filled.
QImage Canvas(QSize logical, qreal ratio, const QColor& fill) {
  QImage image(qCeil(logical.width() * ratio), qCeil(logical.height() * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(fill);
  return image;
}

void RenderPictures(Writer& writer, qreal ratio) {
  for (Picture picture : kAllPictures) {
    writer.Save(QString::fromLatin1(PictureName(picture)), BuiltInPicture(picture, ratio));
  }
  // The day picture as the calendar shows it: mask ANDed, picture ORed, on a
  // day cell's colour.
  QImage day = Canvas(PictureSize(Picture::CalendarDay), ratio, QColor(247, 255, 200));
  {
    QPainter painter(&day);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(0, 0, BuiltInPicture(Picture::CalendarDayMask, ratio));
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(0, 0, BuiltInPicture(Picture::CalendarDay, ratio));
  }
  writer.Save(QStringLiteral("calendar-day-on-cell"), day);
  for (int size : {16, 32, 48}) {
    // At the application's ratio: twice the pixels when scaled by 2.
    writer.Save(QStringLiteral("icon-%1").arg(size), AppIcon().pixmap(size, size).toImage());
  }
  const std::vector<QImage>& frames = ProgressFrames(ratio);
  const QSize frame = frames.front().deviceIndependentSize().toSize();
  QImage strip =
      Canvas(QSize(frame.width(), frame.height() * static_cast<int>(frames.size())), ratio, QColor(240, 240, 240));
  {
    QPainter painter(&strip);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      painter.drawImage(0, static_cast<int>(i) * frame.height(), frames[i]);
    }
  }
  writer.Save(QStringLiteral("progress"), strip);

  // The five sports pictures side by side, at least twice their size, to
  // judge them: cut from the skins drawn at that size, not scaled up.
  const QRect card(840, 120, 156, 276);
  const qreal zoom = std::max<qreal>(2, ratio);
  QImage sheet(qCeil(card.width() * zoom) * 5, qCeil(card.height() * zoom), QImage::Format_RGB32);
  {
    QPainter painter(&sheet);
    int x = 0;
    for (ChartKind kind : kAllChartKinds) {
      const QImage& skin = BuiltInPicture(SkinPicture(kind), zoom);
      const QRect pixels(qRound(card.x() * zoom), qRound(card.y() * zoom), qCeil(card.width() * zoom),
                         qCeil(card.height() * zoom));
      QImage piece = skin.copy(pixels);
      piece.setDevicePixelRatio(1);  // one sheet pixel per skin pixel
      painter.drawImage(QPoint(x, 0), piece);
      x += pixels.width();
    }
  }
  writer.Save(QStringLiteral("motifs"), sheet);
}

void RenderCharts(Writer& writer) {
  for (ChartKind kind : kChartKinds) {
    for (ChartPeriod period : kPeriods) {
      CBarChart chart;
      chart.Create(QRect(0, 0, kChartBox.width, kChartBox.height), nullptr, kChartControlId, QString());
      chart.Draw(SampleChart(kind, period));
      writer.Save(QStringLiteral("chart-%1-%2")
                      .arg(QString::fromLatin1(ChartKindName(kind)), QString::fromLatin1(SamplePeriodName(period))),
                  chart);
    }
  }
  CBarChart empty;
  empty.Create(QRect(0, 0, kChartBox.width, kChartBox.height), nullptr, kChartControlId, QString());
  ChartPicture zeros = SampleChart(ChartKind::Steps, ChartPeriod::Week);
  for (Bar& bar : zeros.bars) bar = Bar{{}, {}, {0, 0, 0}, {kStepsColour, kBlack, kBlack}};
  empty.Draw(zeros);
  writer.Save(QStringLiteral("chart-all-zero"), empty);

  CBarChart labelled;
  labelled.Create(QRect(0, 0, kChartBox.width, kChartBox.height), nullptr, kChartControlId, QString());
  ChartPicture heart = SampleChart(ChartKind::HeartRate, ChartPeriod::Week);
  heart.style.valueLabels = true;
  heart.style.axisLabels = true;
  labelled.Draw(heart);
  writer.Save(QStringLiteral("chart-heart-rate-labelled"), labelled);

  QWidget host;
  CChartTip tip(&host);
  tip.ShowTip(QStringLiteral("05-Mar-2008\nMin, Ave, Max\n62, 88, 151\n"), QPoint(100, 100));
  writer.Save(QStringLiteral("tip-heart-rate"), tip);
  tip.HideTip(QPoint(0, 0));
  tip.ShowTip(QStringLiteral("05-Mar-2008\n11234\n"), QPoint(100, 100));
  writer.Save(QStringLiteral("tip-steps"), tip);
}

void RenderControls(Writer& writer) {
  QWidget panel;
  panel.setFixedSize(480, 200);
  panel.setAutoFillBackground(true);
  QPalette palette = panel.palette();
  palette.setColor(QPalette::Window, Qt::white);
  panel.setPalette(palette);
  const std::string version = std::string("V ") + kProgramVersion;
  const struct {
    const char* text;
    Rgb background;
    Rgb colour;
    int size;
    bool bold;
    Qt::Alignment alignment;
  } labels[] = {
      {"Today", kBlack, kWhite, 14, true, Qt::AlignRight},
      {"11234", kStepsColour, kWhite, 12, true, Qt::AlignRight},
      {"8.09 km", kDistanceColour, kWhite, 12, true, Qt::AlignRight},
      {"483.1 kCal", kCaloriesColour, kWhite, 12, true, Qt::AlignRight},
      {"84", kHeartRateColour, kWhite, 12, true, Qt::AlignRight},
      {"  Average Speed", {150, 255, 150}, kBlack, 0, true, Qt::AlignLeft},
      {version.c_str(), kVersionBackground, kWhite, 10, false, Qt::AlignLeft},
  };
  int y = 10;
  for (const auto& l : labels) {
    PlaceLabel(&panel, {10, y, 143, 20}, QString::fromLatin1(l.text), l.background, l.colour, l.size, l.bold,
               l.alignment);
    y += 26;
  }
  const struct {
    int width, height;
  } pictures[] = {{100, 100}, {kPhotoPlaceholderWidth, kPhotoPlaceholderHeight}, {300, 120}};
  int x = 170;
  for (const auto& p : pictures) {
    auto* box = new CExStatic(&panel);
    box->setGeometry(x, 10, 90, 116);
    if (p.width == kPhotoPlaceholderWidth) {
      box->LoadPicture(Picture::PhotoPlaceholder);
    } else {
      // A stand-in picture of the given size.
      QImage image(p.width, p.height, QImage::Format_RGB32);
      image.fill(QColor(103, 123, 182));
      QPainter painter(&image);
      painter.setPen(QPen(Qt::white, 4));
      painter.drawRect(image.rect().adjusted(2, 2, -2, -2));
      painter.drawLine(0, 0, p.width, p.height);
      painter.end();
      const QString path = QDir::temp().filePath(QStringLiteral("tempovia-preview-%1.jpg").arg(p.width));
      image.save(path, "JPG");
      box->LoadFromFile(path);
      QFile::remove(path);
    }
    x += 100;
  }
  writer.Save(QStringLiteral("controls"), panel);
}

// Every size the icon is drawn in, never a scaled copy: the desktop picks the
// file for the size it shows.
bool WriteIconTheme(const QDir& dir, const QString& name) {
  const QIcon icon = AppIcon();
  bool ok = true;
  for (const QSize& size : icon.availableSizes()) {
    const QImage image = icon.pixmap(size).toImage();
    if (image.size() != size) {
      std::fprintf(stderr, "tempovia-preview: the icon of %dx%d came out %dx%d\n", size.width(), size.height(),
                   image.width(), image.height());
      ok = false;
      continue;
    }
    const QString folder = QStringLiteral("%1x%2/apps").arg(size.width()).arg(size.height());
    const QString path = dir.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!dir.mkpath(folder) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "tempovia-preview: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  return ok;
}

// The --scale value, read before the application exists: the ratio must be in
// place when the screens are set up. Nothing when the option is absent.
std::optional<QByteArray> ScaleArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) return QByteArray(argv[i + 1]);
    if (std::strncmp(argv[i], "--scale=", 8) == 0) return QByteArray(argv[i] + 8);
  }
  return std::nullopt;
}

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  // Nothing here needs a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::optional<QByteArray> scale = tempovia::ScaleArgument(argc, argv);
  if (scale) {
    bool number = false;
    const double factor = scale->toDouble(&number);
    if (!number || factor < 1 || factor > 4) {
      std::fprintf(stderr, "tempovia-preview: --scale takes a number from 1 to 4, not \"%s\"\n", scale->constData());
      return 2;
    }
    // Qt then draws every widget at this many device pixels per logical pixel,
    // exactly as on a desktop scaled to that factor.
    qputenv("QT_SCALE_FACTOR", *scale);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tempovia-preview"));
  tempovia::InstallFontSubstitutes();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Renders Tempovia's controls and pictures into PNG files."));
  parser.addHelpOption();
  const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the PNG files."),
                               QStringLiteral("DIR"));
  parser.addOption(out);
  const QCommandLineOption icons(QStringLiteral("icons"),
                                 QStringLiteral("Write the application icon in each size into DIR, as an icon theme."),
                                 QStringLiteral("DIR"));
  parser.addOption(icons);
  const QCommandLineOption iconName(QStringLiteral("icon-name"),
                                    QStringLiteral("The icon's file name without .png (with --icons)."),
                                    QStringLiteral("NAME"), QStringLiteral("tempovia"));
  parser.addOption(iconName);
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Write only the main window's screenshot into DIR."),
                                      QStringLiteral("DIR"));
  parser.addOption(screenshot);
  const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                       QStringLiteral("Device pixels per logical pixel, 1 to 4 (default 1)."),
                                       QStringLiteral("N"));
  parser.addOption(scaleOption);
  parser.process(app);
  const QCommandLineOption* target = nullptr;
  for (const QCommandLineOption* option : {&out, &icons, &screenshot}) {
    if (!parser.isSet(*option)) continue;
    if (target != nullptr) {
      std::fprintf(stderr, "tempovia-preview: give only one of --out, --icons and --screenshot\n");
      return 2;
    }
    target = option;
  }
  if (target == nullptr) {
    std::fprintf(stderr, "tempovia-preview: say where the pictures go: --out DIR (or --icons DIR, --screenshot DIR)\n");
    return 2;
  }
  QDir dir(parser.value(*target));
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "tempovia-preview: cannot create the folder %s\n", qPrintable(dir.absolutePath()));
    return 1;
  }
  if (target == &icons) return tempovia::WriteIconTheme(dir, parser.value(iconName)) ? 0 : 1;
  tempovia::Writer writer(dir);
  const auto save = [&writer](const QString& name, const QImage& image) { writer.Save(name, image); };
  if (target == &screenshot) return tempovia::RenderSampleWindows(save, {}, true) && writer.Ok() ? 0 : 1;
  tempovia::RenderPictures(writer, app.devicePixelRatio());
  tempovia::RenderCharts(writer);
  tempovia::RenderControls(writer);
  const bool calendars = tempovia::RenderSampleCalendars(save);
  const bool dialogs =
      tempovia::RenderUserDialogs([&writer](const QString& name, QWidget& dialog) { writer.Save(name, dialog); });
  const bool windows = tempovia::RenderSampleWindows(
      save, [&dir](QWidget& window) { return tempovia::RenderSampleReport(window, dir); });
  tempovia::RenderReportOptions(writer);
  return writer.Ok() && calendars && dialogs && windows ? 0 : 1;
}
