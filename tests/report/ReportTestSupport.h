#pragma once
// What the report tests share: a base folder with one user and a few days and
// sessions, a small JPEG, and the images of a PDF by page.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "FileContents.h"
#include "store/DayRecord.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/StoredExercise.h"

namespace tempovia::test {

// An 8 x 8 grey baseline JPEG.
void WriteTinyJpeg(const std::filesystem::path& path);

DayRecord SampleDay(int year, unsigned month, unsigned day, double steps);
StoredExercise SampleSession(int year, unsigned month, unsigned day, int hour, double steps);

// A base folder with a data folder and one user ("Anna", files 100.dat and
// 100_exercise.dat) holding the given days and sessions.
struct SampleUser {
  SampleUser(const std::filesystem::path& base, const std::vector<DayRecord>& days,
             const std::vector<StoredExercise>& sessions);

  StorePaths paths;
  LocalUserRecord user;
};

// One line of pdfimages -list.
struct PdfImage {
  int page = 0;
  int width = 0;
  int height = 0;
  double xPpi = 0;  // pixels per inch as placed on the page
  double yPpi = 0;
};
std::vector<PdfImage> PdfImagesByPage(const std::filesystem::path& pdf);

}  // namespace tempovia::test
