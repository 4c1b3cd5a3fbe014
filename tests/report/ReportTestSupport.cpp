#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "PdfText.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia::test {

void WriteTinyJpeg(const std::filesystem::path& path) {
  static const unsigned char kJpeg[] = {
      0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x08, 0x06, 0x06, 0x07, 0x06, 0x05, 0x08, 0x07, 0x07, 0x07, 0x09, 0x09,
      0x08, 0x0A, 0x0C, 0x14, 0x0D, 0x0C, 0x0B, 0x0B, 0x0C, 0x19, 0x12, 0x13, 0x0F, 0x14, 0x1D, 0x1A, 0x1F, 0x1E, 0x1D,
      0x1A, 0x1C, 0x1C, 0x20, 0x24, 0x2E, 0x27, 0x20, 0x22, 0x2C, 0x23, 0x1C, 0x1C, 0x28, 0x37, 0x29, 0x2C, 0x30, 0x31,
      0x34, 0x34, 0x34, 0x1F, 0x27, 0x39, 0x3D, 0x38, 0x32, 0x3C, 0x2E, 0x33, 0x34, 0x32, 0xFF, 0xC0, 0x00, 0x0B, 0x08,
      0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF,
      0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x54, 0xDF, 0xFF, 0xD9};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(kJpeg), sizeof kJpeg);
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

DayRecord SampleDay(int year, unsigned month, unsigned day, double steps) {
  DayRecord r = DayRecord::Blank();
  r.year = static_cast<std::uint8_t>(year - 2000);
  r.month = static_cast<std::uint8_t>(month);
  r.day = static_cast<std::uint8_t>(day);
  r.steps = steps;
  r.distance = steps * 0.0007;
  r.avgSpeed = 4.5;
  r.calories = steps * 0.04;
  r.fatBurnt = steps * 0.002;
  r.avgHeartRate = 80;
  return r;
}

StoredExercise SampleSession(int year, unsigned month, unsigned day, int hour, double steps) {
  StoredExercise e;
  e.year = static_cast<std::uint8_t>(year - 2000);
  e.month = static_cast<std::uint8_t>(month);
  e.day = static_cast<std::uint8_t>(day);
  e.startHour = static_cast<std::uint8_t>(hour);
  e.durationMinutes = 30;
  e.steps = steps;
  e.distance = steps * 0.0008;
  e.avgSpeed = 5;
  e.minHeartRate = 90;
  e.avgHeartRate = 110;
  e.maxHeartRate = 140;
  return e;
}

SampleUser::SampleUser(const std::filesystem::path& base, const std::vector<DayRecord>& days,
                       const std::vector<StoredExercise>& sessions)
    : paths(base) {
  if (!paths.CreateDataFolder()) throw std::runtime_error("cannot create the data folder");
  user.id = 100;
  user.name = "Anna";
  user.stepFile = StorePaths::StepFileName(100);
  user.exerciseFile = StorePaths::ExerciseFileName(100);
  StepData steps;
  if (!steps.Open(*paths.UserFile(user.stepFile))) throw std::runtime_error("cannot open the step file");
  for (const DayRecord& d : days) {
    steps.Current() = d;
    if (!steps.MergeDay()) throw std::runtime_error("cannot store a day");
  }
  CExerciseDB exercises;
  if (!exercises.Open(*paths.UserFile(user.exerciseFile))) throw std::runtime_error("cannot open the exercise file");
  for (const StoredExercise& e : sessions) {
    exercises.Current() = e;
    if (!exercises.MergeExercise()) throw std::runtime_error("cannot store a session");
  }
}

std::vector<PdfImage> PdfImagesByPage(const std::filesystem::path& pdf) {
  std::vector<PdfImage> images;
  for (const std::string& line : PdfImages(pdf)) {
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    std::istringstream in(line);
    PdfImage image;
    std::string num, type, color, comp, bpc, enc, interp, object, id;
    in >> image.page >> num >> type >> image.width >> image.height >> color >> comp >> bpc >> enc >> interp >> object >>
        id >> image.xPpi >> image.yPpi;
    if (in) images.push_back(image);
  }
  return images;
}

}  // namespace tempovia::test
