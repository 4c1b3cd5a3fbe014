#pragma once
// What every command of the tool shares: the global options, the base folder,
// today's date, the user database, the password, the watch and the output.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/Clock.h"
#include "base/InstantClock.h"
#include "base/Notice.h"
#include "device/HidTransport.h"
#include "records/WatchLayout.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "store/UserSettings.h"

namespace tempovia {
class CTrekmo;
class TrekmoObserver;
}  // namespace tempovia

namespace tempovia::cli {

// Notices of the store and device layers, kept to explain a failure (or shown
// as warnings when the command succeeds).
class NoticeCollector final : public NoticeSink {
 public:
  void Show(const Notice& notice) override { m_texts.push_back(notice.text); }
  std::vector<std::string> Take();

 private:
  std::vector<std::string> m_texts;
};

// Whether a command will change what is stored. A command that only reads
// opens everything for reading, so it works on a read-only data folder (a
// mounted backup) and creates nothing.
enum class Access { Read, Write };

class CliContext {
 public:
  CliContext();
  ~CliContext();

  // Global options, bound by main.
  std::string home;
  std::string simulate;  // seed number or image file; set when simulateGiven
  bool simulateGiven = false;
  bool instant = false;
  bool trace = false;
  std::string password;
  bool passwordGiven = false;
  std::string today;

  // Called once the options are parsed.
  void Prepare();

  const StorePaths& Paths();
  // Today, from --today when given (a day of the years 2000 to 2099, as the
  // watch and the stored files can hold), else from the system clock.
  std::chrono::year_month_day Today();
  // Today at the system clock's time of day, for naming dated folders.
  LocalDateTime Now();
  // The clock the watch link runs on: real time, or without pauses for the
  // simulator when asked.
  Clock& LinkClock();

  // The user database, opened on first use: for writing, the data folder is
  // made when missing; for reading, a missing one holds no users.
  UserData& Users(Access access = Access::Write);
  // The unit and report settings of user.set.
  UserSettings& Settings();
  // The named user, after checking the password; refuses an unknown user or a
  // wrong password.
  LocalUserRecord LoginUser(const std::string& utf8Name, Access access = Access::Write);
  // The password from --password, $TEMPOVIA_PASSWORD or a prompt.
  std::string Password(const std::string& utf8Name);
  // The data file a user record names ("step file", "exercise file"); refused,
  // saying so, when the stored name leads out of the data folder.
  std::filesystem::path UserFile(const std::string& storedName, const char* what);

  // The watch (or the simulator) with a connected driver; progress goes to
  // standard error when it is a terminal.
  CTrekmo& Watch();
  // The watch's transport (or the simulator's), not yet opened; Watch uses
  // the same one.
  HidTransport& Transport();

  // Text as stored (Windows-1252), refused when it cannot be stored or is
  // longer than maxLength characters.
  static std::string ToStored(const std::string& utf8, std::size_t maxLength, const std::string& what);
  // The same without a length limit, for finding what is stored already.
  static std::string ToStored(const std::string& utf8, const std::string& what);

  void Print(const nlohmann::ordered_json& json);
  void PrintText(const std::string& text);
  NoticeCollector& Notices() { return m_notices; }

 private:
  std::unique_ptr<HidTransport> OpenTransport();

  NoticeCollector m_notices;
  NoticeSink* m_previousSink = nullptr;
  std::optional<StorePaths> m_paths;
  std::optional<std::chrono::year_month_day> m_today;
  std::unique_ptr<InstantClock> m_instantClock;
  std::unique_ptr<UserData> m_users;
  std::unique_ptr<UserSettings> m_settings;
  std::unique_ptr<HidTransport> m_transport;
  std::unique_ptr<TrekmoObserver> m_observer;
  std::unique_ptr<CTrekmo> m_trekmo;
};

// "YYYY-MM-DD" to a date; refuses anything else, naming the option.
std::chrono::year_month_day ParseDate(const std::string& text, const std::string& what);
std::string DateText(std::chrono::year_month_day date);

// Whole-file helpers that say why they failed. A read takes regular files
// only and at most limit + 1 bytes; a write never replaces a folder, a device
// or a link, and leaves an old file whole when it fails.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t limit);
void WriteFileBytes(const std::string& path, const std::uint8_t* bytes, std::size_t size);
// A saved watch memory image: a regular file of exactly 512 bytes, else
// refused with exitCode.
WatchImage ReadImageFile(const std::string& path, int exitCode);

}  // namespace tempovia::cli
