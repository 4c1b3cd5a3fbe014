#include "cli/CliContext.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "base/Printf.h"
#include "base/RegularFile.h"
#include "base/Windows1252.h"
#include "cli/CliError.h"
#include "cli/Terminal.h"
#include "device/HidapiTransport.h"
#include "device/SimulatedWatch.h"
#include "device/Trekmo.h"
#include "device/TrekmoObserver.h"
#include "device/WatchScenario.h"
#include "store/FileWriter.h"
#include "store/StoredFile.h"
#include "trace/Trace.h"

namespace tempovia::cli {
namespace {

// Shows the driver's progress as a bar on a terminal; scripts see nothing.
class ProgressBar final : public TrekmoObserver {
 public:
  explicit ProgressBar(bool visible) : m_visible(visible) {}
  ~ProgressBar() override { Finish(); }
  void OnReconnected() override {}
  void OnDisconnected() override {}
  void OnProgress(int percent) override {
    if (!m_visible) return;
    const int filled = percent * 30 / 100;
    std::fprintf(stderr, "\rWatch [%-30.*s] %3d%%", filled, "##############################", percent);
    std::fflush(stderr);
    m_shown = true;
  }
  void Finish() {
    if (m_shown) std::fputs("\n", stderr);
    m_shown = false;
  }

 private:
  bool m_visible;
  bool m_shown = false;
};

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::vector<std::string> NoticeCollector::Take() {
  std::vector<std::string> texts;
  texts.swap(m_texts);
  return texts;
}

CliContext::CliContext() = default;

CliContext::~CliContext() {
  m_trekmo.reset();
  InstallNoticeSink(m_previousSink);
}

void CliContext::Prepare() {
  if (trace) trace::SetStandardError(true);
  m_previousSink = InstallNoticeSink(&m_notices);
}

const StorePaths& CliContext::Paths() {
  if (!m_paths) m_paths = home.empty() ? StorePaths::FromEnvironment() : StorePaths(home);
  return *m_paths;
}

std::chrono::year_month_day CliContext::Today() {
  if (!m_today) {
    if (today.empty()) {
      m_today = SystemClockInstance().Now().date;
    } else {
      const std::chrono::year_month_day date = ParseDate(today, "--today");
      // Export names, the simulated watch and the stored files keep to these years.
      if (date.year() < std::chrono::year{2000} || date.year() > std::chrono::year{2099})
        throw CliError("--today must be a day of the years 2000 to 2099, not \"" + today + "\"", kExitUsage);
      m_today = date;
    }
  }
  return *m_today;
}

LocalDateTime CliContext::Now() {
  const LocalDateTime now = SystemClockInstance().Now();
  return LocalDateTime{Today(), now.hour, now.minute, now.second};
}

Clock& CliContext::LinkClock() {
  if (!instant) return SystemClockInstance();
  if (!m_instantClock) {
    // Today may be chosen (--today); the time of day is the real one.
    const auto now = SystemClockInstance().Now();
    m_instantClock =
        std::make_unique<InstantClock>(SystemClockInstance(), LocalDateTime{Today(), now.hour, now.minute, now.second});
  }
  return *m_instantClock;
}

UserData& CliContext::Users(Access access) {
  if (m_users && (access == Access::Read || !m_users->IsReadOnly())) return *m_users;
  m_users.reset();
  auto users = std::make_unique<UserData>();
  if (access == Access::Write) {
    const Status folder = Paths().CreateDataFolder();
    if (!folder) throw CliError(folder.message());
    if (!users->TryOpen(Paths().UserDatabase())) throw CliError("Failed to open User Data: " + users->LastError());
  } else if (!users->TryOpenForReading(Paths().UserDatabase())) {
    throw CliError("Failed to open User Data: " + users->LastError());
  }
  m_users = std::move(users);
  return *m_users;
}

UserSettings& CliContext::Settings() {
  if (m_settings) return *m_settings;
  m_settings = std::make_unique<UserSettings>();
  m_settings->SetPath(Paths().SettingsFile());
  // Read only: the commands that need the settings change nothing. A missing
  // or unreadable file gives the defaults.
  m_settings->Load(false);
  return *m_settings;
}

std::string CliContext::Password(const std::string& utf8Name) {
  if (passwordGiven) return password;
  if (const char* env = std::getenv("TEMPOVIA_PASSWORD"); env != nullptr) return env;
  if (StandardInputIsTerminal()) return ReadSecret("Password for " + utf8Name + ": ");
  throw CliError("A password is needed for " + utf8Name + ": give --password or set TEMPOVIA_PASSWORD", kExitUsage);
}

LocalUserRecord CliContext::LoginUser(const std::string& utf8Name, Access access) {
  UserData& users = Users(access);
  // The length limit is for new names: a user.dat from elsewhere may fill the
  // whole field, and its user must still be reachable.
  const std::string name = ToStored(utf8Name, "The user name");
  if (users.IsEmpty()) throw CliError("No User Record");
  const std::optional<LocalUserRecord> user = users.FindNamed(name);
  if (!user) throw CliError("No user named \"" + utf8Name + "\"");
  const auto typed = Utf8ToWindows1252(Password(utf8Name));
  // Letter case counts, as at the login window.
  if (!typed || *typed != user->password) throw CliError("Incorrect Login", kExitDenied);
  return *user;
}

std::filesystem::path CliContext::UserFile(const std::string& storedName, const char* what) {
  const auto path = Paths().UserFile(storedName);
  if (!path)
    throw CliError(std::string("The user's ") + what + " is not a plain file name in the data folder: \"" + storedName +
                   "\"");
  return *path;
}

std::string CliContext::ToStored(const std::string& utf8, const std::string& what) {
  const auto stored = Utf8ToWindows1252(utf8);
  if (!stored)
    throw CliError(what + " holds characters that cannot be stored (Western European letters only)", kExitUsage);
  return *stored;
}

std::string CliContext::ToStored(const std::string& utf8, std::size_t maxLength, const std::string& what) {
  std::string stored = ToStored(utf8, what);
  if (stored.size() > maxLength)
    throw CliError(what + " is too long: at most " + std::to_string(maxLength) + " characters", kExitUsage);
  return stored;
}

std::unique_ptr<HidTransport> CliContext::OpenTransport() {
  if (!simulateGiven) return std::make_unique<HidapiTransport>();
  const std::string choice = simulate.empty() ? "1" : simulate;
  if (AllDigits(choice)) {
    const auto seed = static_cast<std::uint32_t>(std::strtoul(choice.c_str(), nullptr, 10));
    return std::make_unique<SimulatedWatch>(LinkClock(), WatchScenario::ForSeed(seed, Today()).Image());
  }
  return std::make_unique<SimulatedWatch>(LinkClock(), ReadImageFile(choice, kExitUsage));
}

HidTransport& CliContext::Transport() {
  if (!m_transport) m_transport = OpenTransport();
  return *m_transport;
}

CTrekmo& CliContext::Watch() {
  if (m_trekmo) return *m_trekmo;
  Transport();
  m_observer = std::make_unique<ProgressBar>(StandardErrorIsTerminal() && !trace);
  m_trekmo = std::make_unique<CTrekmo>(*m_transport, LinkClock());
  if (!m_trekmo->Connect(m_observer.get())) {
    const std::string reason = m_trekmo->LastError();
    m_trekmo.reset();
    throw CliError("Device not connected!" + (reason.empty() ? std::string() : " (" + reason + ")"), kExitNoWatch);
  }
  return *m_trekmo;
}

void CliContext::Print(const nlohmann::ordered_json& json) {
  // The work is done by now; text from outside that missed JsonPaths.h must
  // not turn it into a failure.
  PrintText(json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
}

void CliContext::PrintText(const std::string& text) {
  if (auto* bar = dynamic_cast<ProgressBar*>(m_observer.get())) bar->Finish();
  std::cout << text << std::flush;
}

std::chrono::year_month_day ParseDate(const std::string& text, const std::string& what) {
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  char tail = 0;
  // Digits where digits belong: sscanf alone would take a sign or a blank.
  bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  for (std::size_t i = 0; shaped && i < text.size(); ++i)
    shaped = i == 4 || i == 7 || (text[i] >= '0' && text[i] <= '9');
  shaped = shaped && std::sscanf(text.c_str(), "%4d-%2u-%2u%c", &year, &month, &day, &tail) == 3;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
  if (!shaped || !date.ok())
    throw CliError(what + " must be a date written YYYY-MM-DD, not \"" + text + "\"", kExitUsage);
  return date;
}

std::string DateText(std::chrono::year_month_day date) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t limit) {
  std::vector<std::uint8_t> bytes;
  if (const Status read = ReadRegularFile(path, limit, bytes); !read) throw CliError(read.message());
  return bytes;
}

WatchImage ReadImageFile(const std::string& path, int exitCode) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, kWatchImageSize);
  if (bytes.size() != kWatchImageSize)
    throw CliError(
        path + " is not a watch memory image: it holds " +
            (bytes.size() > kWatchImageSize ? std::string("more than 512 bytes")
                                            : Counted(static_cast<long long>(bytes.size()), "byte", "bytes")) +
            ", an image holds 512",
        exitCode);
  WatchImage image{};
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

void WriteFileBytes(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
  if (const Status written = SaveUserFile(path, std::span(bytes, size)); !written) throw CliError(written.message());
}

}  // namespace tempovia::cli
