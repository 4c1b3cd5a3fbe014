#include "preview/SampleCharts.h"

#include <random>

#include "charts/widgets/BarChart.h"
#include "skin/SkinLayout.h"

namespace tempovia {
namespace {

const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

struct Day {
  double steps, calories, distance, minHeart, avgHeart, maxHeart;
};

Day SampleDay(std::mt19937& random, double scale) {
  std::uniform_real_distribution<double> steps(3500, 14500);
  std::uniform_real_distribution<double> heart(0, 1);
  Day day{};
  day.steps = steps(random) * scale;
  day.calories = day.steps * 0.043;
  day.distance = day.steps * 0.00072;
  day.minHeart = 56 + 14 * heart(random);
  day.avgHeart = 78 + 22 * heart(random);
  day.maxHeart = 118 + 56 * heart(random);
  return day;
}

void AddDay(CBarChart& chart, ChartKind kind, const Day& day, const QString& tip, const QString& axis) {
  std::array<double, 3> values{};
  std::array<Rgb, 3> colours{MeasureColour(kind), kBlack, kBlack};
  switch (kind) {
    case ChartKind::Steps:
      values[0] = day.steps;
      break;
    case ChartKind::Calories:
      values[0] = day.calories;
      break;
    case ChartKind::HeartRate:
      values = {day.minHeart, day.avgHeart, day.maxHeart};
      colours = {kDistanceColour, kStepsColour, kHeartRateColour};
      break;
    case ChartKind::Distance:
      values[0] = day.distance;
      colours[0] = kDistanceColour;
      break;
    case ChartKind::ExerciseWalking:
      break;
  }
  chart.AddBar(values, tip, axis, colours, false);
}

}  // namespace

const char* SamplePeriodName(SamplePeriod period) {
  switch (period) {
    case SamplePeriod::Week:
      return "week";
    case SamplePeriod::Month:
      return "month";
    case SamplePeriod::Year:
      return "year";
  }
  return "";
}

void FillSampleChart(CBarChart& chart, ChartKind kind, SamplePeriod period) {
  // The main window's configuration of its chart.
  chart.SetBkColor(kChartBackground);
  chart.ShowPercent(false);
  chart.Set3D(true);
  chart.SetShaded(true);
  chart.SetHorizontalGrid(true);
  chart.ShowScale(true);
  chart.SetGridLines(10);
  chart.EnableToolTips(true);
  chart.ShowAxisLabels(false);
  chart.ShowValueLabels(1, false);
  chart.SetIntegerValues(kind == ChartKind::Steps || kind == ChartKind::HeartRate);
  chart.SetUnitLabel(QString::fromLatin1(InfoOf(kind).unitLabel));
  const struct { int width, gap; } geometry[] = {{26, 50}, {22, 3}, {26, 40}};
  chart.SetBarWidth(geometry[static_cast<int>(period)].width);
  chart.SetBarGap(geometry[static_cast<int>(period)].gap);
  chart.RemoveAllBars();
  chart.SetChartMode(static_cast<int>(kind));

  std::mt19937 random(2008u + static_cast<unsigned>(kind) * 7u + static_cast<unsigned>(period));
  QString suffix;
  switch (period) {
    case SamplePeriod::Week:
      suffix = QStringLiteral("     (Week : 05-Mar-2008)");
      for (int i = 0; i < 7; ++i) {
        AddDay(chart, kind, SampleDay(random, 1), QStringLiteral("%1-Mar-2008").arg(5 + i, 2, 10, QChar('0')),
               QString::fromLatin1(kWeekdays[(3 + i) % 7]));
      }
      break;
    case SamplePeriod::Month:
      suffix = QStringLiteral("     (Month : Mar-2008)");
      for (int i = 0; i < 31; ++i) {
        // A rest day now and then, and one day without the watch.
        const double scale = i == 12 ? 0 : (i % 6 == 5 ? 0.4 : 1);
        Day day = SampleDay(random, scale);
        if (i == 12) day = Day{};
        AddDay(chart, kind, day, QStringLiteral("%1-Mar-2008").arg(i + 1, 2, 10, QChar('0')), QString::number(i + 1));
      }
      break;
    case SamplePeriod::Year:
      suffix = QStringLiteral("     (Year : 2008)");
      for (int m = 0; m < 12; ++m) {
        Day month = SampleDay(random, 30);
        if (m >= 10) month = Day{};  // months still to come
        AddDay(chart, kind, month, QString::fromLatin1(kMonths[m]), QString::fromLatin1(kMonths[m]));
      }
      break;
  }
  chart.SetTitle(QString::fromLatin1(InfoOf(kind).title) + suffix);
  chart.Refresh();
}

}  // namespace tempovia
