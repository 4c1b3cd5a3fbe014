#include "report/PrintPDF.h"

#include <hpdf.h>

#include <algorithm>
#include <vector>

#include "base/Printf.h"
#include "records/Units.h"
#include "report/ReportLayout.h"
#include "report/ReportRows.h"
#include "store/ExerciseDB.h"
#include "store/FileWriter.h"
#include "store/LocalUserRecord.h"
#include "store/StepData.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "PrintPDF";

// Cells never shrink their text below this size in points.
constexpr double kSmallestFontSize = 5.0;

using std::chrono::sys_days;
using std::chrono::year_month_day;

HPDF_Doc Doc(void* doc) {
  return static_cast<HPDF_Doc>(doc);
}
HPDF_Page Page(void* page) {
  return static_cast<HPDF_Page>(page);
}

// Heart rates of 0 (none measured) print as "---".
std::string HeartRateText(double bpm) {
  const int whole = TruncateToInt(bpm);
  return whole > 0 ? Printf("%d", whole) : std::string("---");
}

}  // namespace

CPrintPDF::CPrintPDF() = default;

CPrintPDF::~CPrintPDF() {
  CloseDocument();
}

void CPrintPDF::ErrorHandler(unsigned long errorNo, unsigned long detailNo, void* self) {
  auto* writer = static_cast<CPrintPDF*>(self);
  TV_TRACE("ERROR: error_no=%04X, detail_no=%u\n", static_cast<unsigned>(errorNo), static_cast<unsigned>(detailNo));
  writer->m_errorNo = errorNo;
  writer->m_detailNo = detailNo;
  if (!writer->m_tolerateError) writer->m_failed = true;
}

bool CPrintPDF::OpenDocument() {
  if (m_doc != nullptr) return true;
  m_failed = false;
  m_errorNo = 0;
  m_detailNo = 0;
  m_doc = HPDF_New(&CPrintPDF::ErrorHandler, this);
  if (m_doc == nullptr) return false;
  // Names and notes are stored as Windows-1252, which WinAnsiEncoding shows as typed.
  m_font = HPDF_GetFont(Doc(m_doc), "Helvetica", "WinAnsiEncoding");
  HPDF_SetCompressionMode(Doc(m_doc), HPDF_COMP_ALL);
  return Healthy();
}

void CPrintPDF::CloseDocument() {
  if (m_doc != nullptr) HPDF_Free(Doc(m_doc));
  m_doc = nullptr;
  m_font = nullptr;
  m_page = nullptr;
  m_pageCount = 0;
}

bool CPrintPDF::Healthy() {
  if (!m_failed) return true;
  // A failed document is abandoned whole: nothing more is drawn or saved.
  if (m_doc != nullptr) {
    HPDF_Free(Doc(m_doc));
    m_doc = nullptr;
    m_font = nullptr;
    m_page = nullptr;
  }
  return false;
}

bool CPrintPDF::EnsureDocument() {
  if (m_failed) return false;
  return m_doc != nullptr || OpenDocument();
}

double CPrintPDF::Distance(double km) const {
  return m_miles ? KmToMiles(km) : km;
}

void CPrintPDF::SetFontSize(double size) {
  m_fontSize = size;
  HPDF_Page_SetFontAndSize(Page(m_page), static_cast<HPDF_Font>(m_font), static_cast<HPDF_REAL>(size));
}

void CPrintPDF::Text(int left, int top, int right, int bottom, const std::string& text, bool centred) {
  const PointRect r = ToPoints(PerMilleRect{left, top, right, bottom}, m_width, m_height);
  // A text wider than its cell (a long name, "Record Data" in its narrow
  // column) is set smaller so that it stays whole instead of losing words.
  const double size = m_fontSize;
  const double room = r.right - r.left;
  const double needed = HPDF_Page_TextWidth(Page(m_page), text.c_str());
  const bool shrink = needed > room && room > 0;
  if (shrink) SetFontSize(std::max(kSmallestFontSize, size * room / needed * 0.97));
  HPDF_Page_BeginText(Page(m_page));
  if (HPDF_Page_TextWidth(Page(m_page), text.c_str()) <= room) {
    HPDF_Page_TextRect(Page(m_page), static_cast<HPDF_REAL>(r.left), static_cast<HPDF_REAL>(r.top),
                       static_cast<HPDF_REAL>(r.right), static_cast<HPDF_REAL>(r.bottom), text.c_str(),
                       centred ? HPDF_TALIGN_CENTER : HPDF_TALIGN_LEFT, nullptr);
  } else {
    // Even the smallest size is too wide (one very long word): the library
    // would drop it, so it runs past the cell's edge instead.
    const double width = HPDF_Page_TextWidth(Page(m_page), text.c_str());
    const double x = centred ? r.left + (room - width) / 2 : r.left;
    HPDF_Page_TextOut(Page(m_page), static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(r.top - m_fontSize),
                      text.c_str());
  }
  HPDF_Page_EndText(Page(m_page));
  if (shrink) SetFontSize(size);
}

void CPrintPDF::StartPage() {
  m_page = HPDF_AddPage(Doc(m_doc));
  ++m_pageCount;
  HPDF_Page_SetSize(Page(m_page), HPDF_PAGE_SIZE_A4, HPDF_PAGE_LANDSCAPE);
  m_width = static_cast<int>(HPDF_Page_GetWidth(Page(m_page)));
  m_height = static_cast<int>(HPDF_Page_GetHeight(Page(m_page)));
}

bool CPrintPDF::StartTablePage(bool exercise) {
  StartPage();
  if (!Healthy()) return false;

  SetFontSize(14);
  Text(0, 120, 1000, 145, m_title, true);
  SetFontSize(12);
  Text(67, 157, 191, 184, m_userName, false);

  SetFontSize(10);
  for (const ReportColumn& column : exercise ? ExerciseReportColumns() : WalkingSummaryColumns()) {
    Text(column.left, 212, column.right, 236, column.heading, true);
    Text(column.left, 242, column.right, 266, m_miles ? column.unitMiles : column.unitKm, true);
  }

  HPDF_Page_SetLineWidth(Page(m_page), 2);
  const PointRect rule = ToPoints(PerMilleRect{70, 290, 930, 290}, m_width, m_height);
  HPDF_Page_MoveTo(Page(m_page), static_cast<HPDF_REAL>(rule.left), static_cast<HPDF_REAL>(rule.top));
  HPDF_Page_LineTo(Page(m_page), static_cast<HPDF_REAL>(rule.right), static_cast<HPDF_REAL>(rule.top));
  HPDF_Page_Stroke(Page(m_page));

  SetFontSize(10);
  Text(800, 920, 1000, 960, Printf("Page %d", m_pageCount), true);
  return Healthy();
}

bool CPrintPDF::AddWalkingSummary(year_month_day from, year_month_day to, const LocalUserRecord& user, StepData& steps,
                                  int sortKey) {
  if (!EnsureDocument()) return false;
  m_title = "Walking Summary";
  m_userName = user.name;
  if (!StartTablePage(false)) return false;

  const std::vector<DayRecord> kept = ReportDays(from, to, steps, sortKey);

  const auto& columns = WalkingSummaryColumns();
  int row = 0;
  for (const DayRecord& r : kept) {
    if (row == kRowsPerPage) {
      if (!StartTablePage(false)) return false;
      row = 0;
    }
    const std::string cells[] = {
        Printf("%02d-%02d-%02d", r.day, r.month, r.year),
        Printf("%.0f", FiniteOrZero(r.steps)),
        Printf("%.2f", FiniteOrZero(Distance(r.distance))),
        Printf("%.2f", FiniteOrZero(Distance(r.avgSpeed))),
        Printf("%d:%02d:%02d", r.exerciseHours, r.exerciseMinutes, r.exerciseSeconds),
        Printf("%.2f", FiniteOrZero(r.calories)),
        Printf("%.2f", FiniteOrZero(r.fatBurnt)),
        HeartRateText(r.avgHeartRate),
    };
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const PerMilleRect cell = RowRect(row, columns[c].left, columns[c].right);
      Text(cell.left, cell.top, cell.right, cell.bottom, cells[c], true);
    }
    TV_TRACE("%02d-%02d-%02d\t%.2f\t%.2f\t%.2f\t%d:%02d:%02d\t%f\t%f\t%d\n", r.day, r.month, r.year, r.steps,
             Distance(r.distance), Distance(r.avgSpeed), r.exerciseHours, r.exerciseMinutes, r.exerciseSeconds,
             r.calories, r.fatBurnt, TruncateToInt(r.avgHeartRate));
    ++row;
    if (!Healthy()) return false;
  }
  return Healthy();
}

bool CPrintPDF::AddExerciseReport(year_month_day from, year_month_day to, const LocalUserRecord& user,
                                  CExerciseDB& exercises, int sortKey) {
  if (!EnsureDocument()) return false;
  m_title = "Exercise Report";
  m_userName = user.name;
  if (!StartTablePage(true)) return false;

  const std::vector<StoredExercise> kept = ReportSessions(from, to, exercises, sortKey);

  const auto& columns = ExerciseReportColumns();
  int row = 0;
  int number = 0;
  for (const StoredExercise& e : kept) {
    if (row == kRowsPerPage) {
      if (!StartTablePage(true)) return false;
      row = 0;
    }
    ++number;
    const std::string cells[] = {
        Printf("%d", number),
        Printf("%02d-%02d-%02d %02d:%02d:%02d", e.day, e.month, e.year, e.startHour, e.startMinute, e.startSecond),
        Printf("%02d:%02d:%02d.%02d", e.durationHours, e.durationMinutes, e.durationSeconds, e.durationHundredths),
        Printf("%.2f", FiniteOrZero(Distance(e.avgSpeed))),
        Printf("%.0f", FiniteOrZero(e.steps)),
        Printf("%.2f", FiniteOrZero(e.calories)),
        Printf("%.2f", FiniteOrZero(Distance(e.distance))),
    };
    for (std::size_t c = 0; c < std::size(cells); ++c) {
      const PerMilleRect cell = RowRect(row, columns[c].left, columns[c].right);
      Text(cell.left, cell.top, cell.right, cell.bottom, cells[c], true);
    }
    const double rates[] = {e.minHeartRate, e.avgHeartRate, e.maxHeartRate};
    for (int i = 0; i < 3; ++i) {
      const PerMilleRect cell = RowRect(row, 674 + 50 * i, 724 + 50 * i);
      Text(cell.left, cell.top, cell.right, cell.bottom, HeartRateText(rates[i]), true);
    }
    const PerMilleRect fat = RowRect(row, columns.back().left, columns.back().right);
    Text(fat.left, fat.top, fat.right, fat.bottom, Printf("%.2f", FiniteOrZero(e.fatBurnt)), true);

    TV_TRACE("%02d-%02d-%02d %02d:%02d:%02d\t%.2f\t%.2f\t%.2f\t%f\t%f\t%d\t%d\t%d\n", e.day, e.month, e.year,
             e.startHour, e.startMinute, e.startSecond, Distance(e.avgSpeed), e.steps, e.calories, Distance(e.distance),
             e.fatBurnt, TruncateToInt(e.minHeartRate), TruncateToInt(e.avgHeartRate), TruncateToInt(e.maxHeartRate));
    ++row;
    if (!Healthy()) return false;
  }
  return Healthy();
}

bool CPrintPDF::AddChartPage(const std::filesystem::path& jpeg) {
  if (!EnsureDocument()) return false;
  StartPage();
  if (!Healthy()) return false;
  SetFontSize(10);
  Text(800, 920, 1000, 960, Printf("Page %d", m_pageCount), true);

  // A picture that cannot be loaded leaves the page empty; it does not spoil
  // the rest of the report.
  m_tolerateError = true;
  HPDF_Image image = HPDF_LoadJpegImageFromFile(Doc(m_doc), jpeg.c_str());
  m_tolerateError = false;
  if (image == nullptr) {
    HPDF_ResetError(Doc(m_doc));
    return Healthy();
  }
  HPDF_Page_DrawImage(Page(m_page), image, static_cast<HPDF_REAL>(m_width / 10), static_cast<HPDF_REAL>(m_height / 10),
                      static_cast<HPDF_REAL>(m_width * 0.8), static_cast<HPDF_REAL>(m_height * 0.8));
  return Healthy();
}

Status CPrintPDF::Save(const std::filesystem::path& path, std::filesystem::path* written) {
  if (m_failed) {
    CloseDocument();
    return Status::Error(Printf("The report could not be made (PDF library error %04X, detail %u).",
                                static_cast<unsigned>(m_errorNo), static_cast<unsigned>(m_detailNo)));
  }
  if (m_doc == nullptr) return Status::Error("There is no report to save.");
  if (path.empty() || path.filename().empty()) {
    CloseDocument();
    return Status::Error("The report was not saved: no file name was given.");
  }
  const std::filesystem::path target = WithPdfEnding(path.string());
  if (written != nullptr) *written = target;

  // The document is made in memory and then saved whole through a temporary
  // file beside the target: a full disk or a size limit can then never leave
  // a truncated report, nor spoil an older report of the same name.
  std::vector<std::uint8_t> bytes;
  bool made = HPDF_SaveToStream(Doc(m_doc)) == HPDF_OK && !m_failed;
  if (made) {
    bytes.resize(HPDF_GetStreamSize(Doc(m_doc)));
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
    made = !bytes.empty() && HPDF_ReadFromStream(Doc(m_doc), bytes.data(), &size) == HPDF_OK && size == bytes.size() &&
           !m_failed;
  }
  const unsigned long errorNo = m_errorNo;
  CloseDocument();
  if (!made)
    return Status::Error(
        Printf("The report could not be made (PDF library error %04X).", static_cast<unsigned>(errorNo)));
  if (Status saved = SaveUserFile(target, bytes); !saved)
    return Status::Error("The report was not saved. " + saved.message());
  return Status::Ok();
}

}  // namespace tempovia
