#include "StoreTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tempovia::test {

void WriteDays(const std::filesystem::path& path, const std::vector<DayRecord>& records, std::size_t extraBytes) {
  std::vector<std::uint8_t> bytes(records.size() * DayRecord::kSize + extraBytes, 0x33);
  for (std::size_t i = 0; i < records.size(); ++i) records[i].ToBytes(bytes.data() + i * DayRecord::kSize);
  WriteBytes(path, bytes);
}

void WriteUsers(const std::filesystem::path& path, const std::vector<LocalUserRecord>& users) {
  std::vector<std::uint8_t> bytes(users.size() * LocalUserRecord::kSize);
  for (std::size_t i = 0; i < users.size(); ++i) users[i].ToBytes(bytes.data() + i * LocalUserRecord::kSize);
  WriteBytes(path, bytes);
}

LocalUserRecord User(std::int32_t id, std::string name, std::string stepFile, std::string exerciseFile) {
  LocalUserRecord user;
  user.id = id;
  user.name = std::move(name);
  user.password = "pw";
  user.stepFile = std::move(stepFile);
  user.exerciseFile = std::move(exerciseFile);
  return user;
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

int FailingFileWriter::Exchange(const std::filesystem::path& first, const std::filesystem::path& second) {
  return FailNow() ? m_error : FileWriter::Exchange(first, second);
}

int FailingFileWriter::SetMode(int fd, unsigned mode) {
  return FailNow() ? m_error : FileWriter::SetMode(fd, mode);
}

RecordingFileWriter::RecordingFileWriter() : m_previous(InstallFileWriter(this)) {}

RecordingFileWriter::~RecordingFileWriter() {
  InstallFileWriter(m_previous);
}

int RecordingFileWriter::WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  m_calls.push_back("write " + std::to_string(fd));
  return FileWriter::WriteAt(fd, bytes, offset);
}

int RecordingFileWriter::Truncate(int fd, std::uint64_t length) {
  m_calls.push_back("truncate " + std::to_string(fd));
  return FileWriter::Truncate(fd, length);
}

int RecordingFileWriter::Sync(int fd) {
  m_calls.push_back("sync " + std::to_string(fd));
  return FileWriter::Sync(fd);
}

int RecordingFileWriter::CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created) {
  const int error = FileWriter::CreateTemporary(target, fd, created);
  m_calls.push_back("create " + std::to_string(fd));
  return error;
}

int RecordingFileWriter::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  m_calls.push_back("rename");
  return FileWriter::Rename(from, to);
}

}  // namespace tempovia::test
