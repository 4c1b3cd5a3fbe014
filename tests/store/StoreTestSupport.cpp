#include "StoreTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tempovia::test {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteDays(const std::filesystem::path& path, const std::vector<DayRecord>& records, std::size_t extraBytes) {
  std::vector<std::uint8_t> bytes(records.size() * DayRecord::kSize + extraBytes, 0x33);
  for (std::size_t i = 0; i < records.size(); ++i) records[i].ToBytes(bytes.data() + i * DayRecord::kSize);
  WriteBytes(path, bytes);
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::chrono::year_month_day Ymd(int year, unsigned month, unsigned day) {
  return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
}

DayRecord Day(int year, unsigned month, unsigned day, double steps) {
  DayRecord r;
  r.year = static_cast<std::uint8_t>(year - 2000);
  r.month = static_cast<std::uint8_t>(month);
  r.day = static_cast<std::uint8_t>(day);
  r.steps = steps;
  return r;
}

StoredExercise Session(int year, unsigned month, unsigned day, int hour, int minute, int second, double steps) {
  StoredExercise r;
  r.year = static_cast<std::uint8_t>(year - 2000);
  r.month = static_cast<std::uint8_t>(month);
  r.day = static_cast<std::uint8_t>(day);
  r.startHour = static_cast<std::uint8_t>(hour);
  r.startMinute = static_cast<std::uint8_t>(minute);
  r.startSecond = static_cast<std::uint8_t>(second);
  r.steps = steps;
  return r;
}

FailingFileWriter::FailingFileWriter(int failAt, int error)
    : m_failAt(failAt), m_error(error), m_previous(InstallFileWriter(this)) {}

FailingFileWriter::~FailingFileWriter() {
  InstallFileWriter(m_previous);
}

int FailingFileWriter::WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  if (!FailNow()) return FileWriter::WriteAt(fd, bytes, offset);
  FileWriter::WriteAt(fd, bytes.first(bytes.size() / 2), offset);
  return m_error;
}

int FailingFileWriter::Truncate(int fd, std::uint64_t length) {
  return FailNow() ? m_error : FileWriter::Truncate(fd, length);
}

int FailingFileWriter::Sync(int fd) {
  return FailNow() ? m_error : FileWriter::Sync(fd);
}

int FailingFileWriter::CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created) {
  return FailNow() ? m_error : FileWriter::CreateTemporary(target, fd, created);
}

int FailingFileWriter::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return FailNow() ? m_error : FileWriter::Rename(from, to);
}

}  // namespace tempovia::test
