#include <gtest/gtest.h>

#include "report/ReportLayout.h"

namespace tempovia {
namespace {

TEST(ReportLayout, PerMilleRectanglesBecomeWholePointsFromTheTop) {
  struct Case {
    PerMilleRect in;
    PointRect out;
  };
  const Case cases[] = {
      {{0, 120, 1000, 145}, {0, 524, 841, 509}},    // title
      {{800, 920, 1000, 960}, {672, 48, 841, 24}},  // page number
      {{70, 290, 930, 290}, {58, 423, 782, 423}},   // the rule under the heads
      {{86, 308, 171, 333}, {72, 412, 143, 397}},   // first row, first column
  };
  for (const Case& c : cases) {
    const PointRect r = ToPoints(c.in, kReportPageWidth, kReportPageHeight);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.right, c.out.right);
    EXPECT_EQ(r.bottom, c.out.bottom);
  }
}

// A page's rows sit between the rule under the heads (290) and the page
// number (920), in whole points that never overlap.
TEST(ReportLayout, TwentyRowsFitBetweenTheRuleAndThePageNumber) {
  const PointRect rule = ToPoints({70, 290, 930, 290}, kReportPageWidth, kReportPageHeight);
  const PointRect pageNumber = ToPoints({800, 920, 1000, 960}, kReportPageWidth, kReportPageHeight);
  int above = rule.bottom;
  for (int row = 0; row < kRowsPerPage; ++row) {
    SCOPED_TRACE(row);
    const PointRect r = ToPoints(RowRect(row, 86, 171), kReportPageWidth, kReportPageHeight);
    EXPECT_LT(r.top, above);
    EXPECT_GT(r.top - r.bottom, 10) << "room for 10-point text";
    above = r.bottom;
  }
  EXPECT_GT(above, pageNumber.top);
  EXPECT_EQ(RowRect(0, 86, 171).top, 308);
  EXPECT_EQ(RowRect(19, 86, 171).bottom, 884);
}

TEST(ReportLayout, PdfEndingIsAddedUnlessPresentInAnyCase) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"report", "report.pdf"},
      {"report.pdf", "report.pdf"},
      {"REPORT.PDF", "REPORT.PDF"},
      {"a.Pdf", "a.Pdf"},
      {"a.pdf.txt", "a.pdf.txt.pdf"},
      {"pdf", "pdf.pdf"},
      {"", ".pdf"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithPdfEnding(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tempovia
