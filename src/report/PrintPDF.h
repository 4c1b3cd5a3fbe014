#pragma once
// The PDF report of one user: a walking summary (one row per day with steps),
// an exercise report (one row per session) and a chart page with a picture of
// the main window, in any combination and always in the order they are added.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "base/Status.h"

namespace tempovia {

struct LocalUserRecord;
class StepData;
class CExerciseDB;

class CPrintPDF {
 public:
  CPrintPDF();
  virtual ~CPrintPDF();
  CPrintPDF(const CPrintPDF&) = delete;
  CPrintPDF& operator=(const CPrintPDF&) = delete;

  // Creates a document; false when the library cannot.
  bool OpenDocument();
  // Frees the document without saving.
  void CloseDocument();
  bool IsOpen() const { return m_doc != nullptr; }

  // Miles and miles per hour instead of kilometres.
  void SetDistanceUnit(bool miles) { m_miles = miles; }

  // Each adds pages, opening a document first when none is open. They return
  // false once the document has failed; nothing more is added after that.
  // Dates given in reverse are swapped.
  bool AddWalkingSummary(std::chrono::year_month_day from, std::chrono::year_month_day to, const LocalUserRecord& user,
                         StepData& steps, int sortKey);
  bool AddExerciseReport(std::chrono::year_month_day from, std::chrono::year_month_day to, const LocalUserRecord& user,
                         CExerciseDB& exercises, int sortKey);
  // A page with only its number and the picture scaled over most of it. A
  // missing or unreadable picture leaves the page empty.
  bool AddChartPage(const std::filesystem::path& jpeg);

  // Writes the document (".pdf" is added to a path without it) and closes it.
  // The file is written whole beside the path and renamed over it only once
  // every byte is on the disk, so a failure leaves an older file of that name
  // as it was; the saved file gets the permissions the umask gives a new file.
  // Fails, saying why, when there is no document, the document failed
  // earlier, the name is empty, the path is a folder, a device or a symbolic
  // link, or the file cannot be written. The path meant is returned in *written.
  Status Save(const std::filesystem::path& path, std::filesystem::path* written = nullptr);

  int PageCount() const { return m_pageCount; }
  // True after the library reported an error; the document is then abandoned.
  bool Failed() const { return m_failed; }

 private:
  static void ErrorHandler(unsigned long errorNo, unsigned long detailNo, void* self);

  bool EnsureDocument();
  bool StartTablePage(bool exercise);
  void StartPage();
  void Text(int left, int top, int right, int bottom, const std::string& text, bool centred);
  void SetFontSize(double size);
  // Kilometres (or km/h) in the report's distance unit.
  double Distance(double km) const;
  // True while the document is usable; after a failure it frees the document.
  bool Healthy();

  // libharu's document, font and page handles, kept opaque in this header.
  void* m_doc = nullptr;
  void* m_font = nullptr;
  void* m_page = nullptr;
  std::string m_title;
  std::string m_userName;  // Windows-1252 bytes, as stored
  bool m_miles = false;
  int m_pageCount = 0;
  double m_fontSize = 10;
  int m_width = 0;
  int m_height = 0;

  bool m_failed = false;
  bool m_tolerateError = false;  // set while a failure only empties the page
  unsigned long m_errorNo = 0;
  unsigned long m_detailNo = 0;
};

}  // namespace tempovia
