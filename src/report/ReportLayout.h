#pragma once
// Placement on report pages. Everything is laid out on a grid of thousandths
// of the page, measured from the top-left corner, and turned into PDF points
// with integer arithmetic on the page size in whole points.

#include <string>
#include <vector>

namespace tempovia {

struct PerMilleRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct PointRect {
  int left = 0;
  int top = 0;  // PDF coordinates: y grows upwards, so top > bottom
  int right = 0;
  int bottom = 0;
};

PointRect ToPoints(const PerMilleRect& r, int pageWidth, int pageHeight);

// A4 landscape, truncated to whole points.
constexpr int kReportPageWidth = 841;
constexpr int kReportPageHeight = 595;
constexpr int kRowsPerPage = 20;

// One table column: its x range, its heading and its unit line in either unit
// system.
struct ReportColumn {
  int left = 0;
  int right = 0;
  const char* heading = "";
  const char* unitKm = "";
  const char* unitMiles = "";
};

const std::vector<ReportColumn>& WalkingSummaryColumns();
const std::vector<ReportColumn>& ExerciseReportColumns();

// The y range of table row r (0..19) on a page.
PerMilleRect RowRect(int row, int left, int right);

// The output path as written: ".pdf" is added unless the name already ends
// with it in any letter case.
std::string WithPdfEnding(const std::string& path);

}  // namespace tempovia
