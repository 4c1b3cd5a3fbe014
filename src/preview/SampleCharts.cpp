#include "preview/SampleCharts.h"

#include <random>

#include "base/Printf.h"
#include "dashboard/ChartDashboard.h"
#include "records/Units.h"

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

void AddDay(ChartPicture& picture, ChartKind kind, const Day& day, std::string tip, std::string axis) {
  std::array<double, 3> values{};
  switch (kind) {
    case ChartKind::Steps:
      values[0] = day.steps;
      break;
    case ChartKind::Calories:
      values[0] = day.calories;
      break;
    case ChartKind::HeartRate:
      values = {day.minHeart, day.avgHeart, day.maxHeart};
      break;
    case ChartKind::Distance:
      values[0] = day.distance;
      break;
    case ChartKind::ExerciseWalking:
      break;
  }
  std::array<Rgb, 3> colours{kBlack, kBlack, kBlack};
  ChartDashboard::GetSeriesColours(kind, colours);
  picture.bars.push_back(
      Bar{std::move(tip), std::move(axis), BarList::ChartedValues(values, picture.style.mode), colours});
}

}  // namespace

const char* SamplePeriodName(ChartPeriod period) {
  switch (period) {
    case ChartPeriod::Week:
      return "week";
    case ChartPeriod::Month:
      return "month";
    case ChartPeriod::Year:
      return "year";
  }
  return "";
}

ChartPicture SampleChart(ChartKind kind, ChartPeriod period) {
  ChartPicture picture = ChartDashboard::ConfiguredPicture(kind, period, Units{});
  std::mt19937 random(2008u + static_cast<unsigned>(kind) * 7u + static_cast<unsigned>(period));
  std::string suffix;
  switch (period) {
    case ChartPeriod::Week:
      suffix = "     (Week : 05-Mar-2008)";
      for (int i = 0; i < 7; ++i) {
        AddDay(picture, kind, SampleDay(random, 1), Printf("%02d-Mar-2008", 5 + i), kWeekdays[(3 + i) % 7]);
      }
      break;
    case ChartPeriod::Month:
      suffix = "     (Month : Mar-2008)";
      for (int i = 0; i < 31; ++i) {
        // A rest day now and then, and one day without the watch.
        const double scale = i == 12 ? 0 : (i % 6 == 5 ? 0.4 : 1);
        Day day = SampleDay(random, scale);
        if (i == 12) day = Day{};
        AddDay(picture, kind, day, Printf("%02d-Mar-2008", i + 1), Printf("%d", i + 1));
      }
      break;
    case ChartPeriod::Year:
      suffix = "     (Year : 2008)";
      for (int m = 0; m < 12; ++m) {
        Day month = SampleDay(random, 30);
        if (m >= 10) month = Day{};  // months still to come
        AddDay(picture, kind, month, kMonths[m], kMonths[m]);
      }
      break;
  }
  picture.title = InfoOf(kind).title + suffix;
  return picture;
}

}  // namespace tempovia
