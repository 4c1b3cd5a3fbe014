#include "report/ReportLayout.h"

#include <algorithm>
#include <cctype>

namespace tempovia {

PointRect ToPoints(const PerMilleRect& r, int pageWidth, int pageHeight) {
  return PointRect{pageWidth * r.left / 1000, pageHeight - pageHeight * r.top / 1000, pageWidth * r.right / 1000,
                   pageHeight - pageHeight * r.bottom / 1000};
}

const std::vector<ReportColumn>& WalkingSummaryColumns() {
  static const std::vector<ReportColumn> columns = {
      {86, 171, "Date", "", ""},
      {201, 269, "Total Step", "(Steps)", "(Steps)"},
      {295, 385, "Total Distance", "(Km)", "(Mile)"},
      {393, 483, "Average Speed", "(Km/h)", "(Mile/h)"},
      {492, 611, "Total Exercise Time", "(HH:MM:SS)", "(HH:MM:SS)"},
      {616, 710, "Calories Burnt", "(Kcal)", "(Kcal)"},
      {723, 791, "Fat Burnt", "(g)", "(g)"},
      {804, 919, "Average Heart Rate", "(bpm)", "(bpm)"},
  };
  return columns;
}

const std::vector<ReportColumn>& ExerciseReportColumns() {
  // The heart-rate heading spans its three cells (674-724, 724-774, 774-824).
  static const std::vector<ReportColumn> columns = {
      {76, 121, "Record Data", "", ""},
      {126, 236, "Date/Time", "(D-M-Y  H:M:S)", "(D-M-Y  H:M:S)"},
      {236, 311, "Total Time", "(H:M:S)", "(H:M:S)"},
      {311, 413, "Average Speed", "(Km/h)", "(Mile/h)"},
      {418, 488, "Total Steps", "(Steps)", "(Steps)"},
      {493, 573, "Total Calories", "(Kcal)", "(Kcal)"},
      {583, 661, "Total Distance", "(Km)", "(Mile)"},
      {674, 824, "Heart Rate", "Min/Avg/Max (bpm)", "Min/Avg/Max (bpm)"},
      {834, 929, "Total Fat Burnt", "(g)", "(g)"},
  };
  return columns;
}

PerMilleRect RowRect(int row, int left, int right) {
  return PerMilleRect{left, 308 + 29 * row, right, 333 + 29 * row};
}

std::string WithPdfEnding(const std::string& path) {
  if (path.size() >= 4) {
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".pdf") return path;
  }
  return path + ".pdf";
}

}  // namespace tempovia
