#include "users/UserEditor.h"

#include <string_view>
#include <system_error>
#include <utility>

#include "base/Windows1252.h"
#include "records/Units.h"
#include "store/FolderCopy.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "trace/Trace.h"
#include "users/UserRules.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "UserEditor";

Notice Plain(std::string text) {
  return {NoticeIcon::None, std::move(text)};
}

Notice Warning(std::string text) {
  return {NoticeIcon::Warning, std::move(text)};
}

EditorOutcome StayOpen(std::vector<Notice> messages) {
  return {std::move(messages), false};
}

}  // namespace

UserEditor::UserEditor(UserData& users, const StorePaths& paths, Mode mode, const LocalUserRecord& user,
                       bool imperialLengths, bool pounds, const LocalDateTime& now)
    : m_users(users),
      m_paths(paths),
      m_mode(mode),
      m_imperial(imperialLengths),
      m_pounds(pounds),
      m_now(now),
      m_original(mode == Mode::Create ? LocalUserRecord{} : user),
      m_user(m_original) {
  if (m_mode == Mode::Create) return;
  const LocalUserRecord& shown = m_original;
  m_shown.name = Windows1252ToUtf8(shown.name);
  m_shown.password = Windows1252ToUtf8(shown.password);
  m_shown.height = HeightText(shown.height, m_imperial);
  m_shown.weight = WeightText(shown.weight, m_pounds);
  m_shown.walkingStride = HeightText(shown.walkingStride, m_imperial);
  m_shown.runningStride = HeightText(shown.runningStride, m_imperial);
  m_shown.age = CountText(shown.age);
  m_shown.sex = shown.sex == LocalUserRecord::kMale || shown.sex == LocalUserRecord::kFemale ? shown.sex : -1;
  m_goal = LoadStepGoal(m_paths, shown.id);
  m_shown.stepGoal = StepGoalText(m_goal);
}

std::string UserEditor::Caption() const {
  return m_mode == Mode::Create ? "Create New User" : "Edit User Data";
}

EditorLabels UserEditor::Labels() const {
  return {m_imperial ? "Height (feet)" : "Height (cm)", m_pounds ? "Weight (Pound)" : "Weight (Kg)",
          m_imperial ? "Stride (Walking) (inch)" : "Stride (Walking) (cm)",
          m_imperial ? "Stride (Running) (inch)" : "Stride (Running) (cm)"};
}

std::optional<std::filesystem::path> UserEditor::StoredPhoto() const {
  if (m_mode == Mode::Create) return std::nullopt;
  return m_paths.PhotoFile(m_original.photo);
}

std::optional<Notice> UserEditor::ChoosePhoto(const std::filesystem::path& file,
                                              const std::optional<std::string>& format) {
  const std::optional<std::string> extension = format ? PhotoExtension(*format) : std::nullopt;
  if (!extension) return Warning("Cannot open image file : " + file.string());
  m_photoSource = file;
  m_photoExtension = *extension;
  return std::nullopt;
}

EditorOutcome UserEditor::Save(const EditorTexts& typed, const Confirmation& confirm) {
  // The measures go into the record before anything is checked; Cancel
  // undoes them.
  LocalUserRecord& user = m_user;
  user.height = ParseLength(typed.height, user.height, m_imperial, Measure::Height);
  user.weight = ParseWeight(typed.weight, m_pounds);
  user.walkingStride = ParseLength(typed.walkingStride, user.walkingStride, m_imperial, Measure::WalkingStride);
  user.runningStride = ParseLength(typed.runningStride, user.runningStride, m_imperial, Measure::RunningStride);
  user.age = LeadingInteger(typed.age);
  user.sex = typed.sex == LocalUserRecord::kMale || typed.sex == LocalUserRecord::kFemale
                 ? typed.sex
                 : static_cast<std::int32_t>(LocalUserRecord::kSexNotSet);

  if (typed.name.empty() || typed.password.empty()) return StayOpen({Plain(kInputAllDataMessage)});

  // A new user's measures are entered later, in edit mode.
  if (m_mode == Mode::Edit) {
    if (const std::optional<Measure> bad = FirstOutOfRange(user, false)) {
      const bool imperial = *bad == Measure::Weight ? m_pounds : m_imperial;
      return StayOpen({Warning(RangeMessage(*bad, imperial)), Plain(kInputAllDataMessage)});
    }
    if (!ParseStepGoal(typed.stepGoal, m_goal)) return StayOpen({Warning(kStepGoalRangeMessage)});
  }

  // The boxes refuse such text as it is typed; this keeps it out of the
  // record whatever the window let through.
  const std::string shownName = m_mode == Mode::Edit ? m_original.name : std::string();
  const std::string shownPassword = m_mode == Mode::Edit ? m_original.password : std::string();
  const std::optional<std::string> name = TypedToStored(typed.name, shownName, kMaxNameLength);
  if (!name) return StayOpen({Warning("The user name can hold at most 30 characters, Western European letters only.")});
  const std::optional<std::string> password = TypedToStored(typed.password, shownPassword, kMaxPasswordLength);
  if (!password)
    return StayOpen({Warning("The password can hold at most 12 characters, Western European letters only.")});
  user.name = *name;
  user.password = *password;

  const std::optional<std::string> again = confirm ? confirm() : std::nullopt;
  if (!again) return StayOpen({});
  if (!PasswordsMatch(*again, user.password)) return StayOpen({Plain(kPasswordMismatchMessage)});

  return m_mode == Mode::Create ? AddNewUser() : UpdateUser();
}

EditorOutcome UserEditor::AddNewUser() {
  if (const Status added = AddUser(m_users, m_paths, m_user, m_now); !added)
    return StayOpen({Warning(added.message())});
  m_saved = true;
  return {{Plain(kRecordSavedMessage)}, true};
}

EditorOutcome UserEditor::UpdateUser() {
  if (const std::optional<std::string> failure = WriteUser(m_user)) return StayOpen({Warning(*failure)});
  m_saved = true;
  std::vector<Notice> messages{Plain(kRecordSavedMessage)};
  if (m_goal != LoadStepGoal(m_paths, m_user.id)) {
    if (const Status saved = SaveStepGoal(m_paths, m_user.id, m_goal); !saved)
      messages.push_back(Warning("The daily step goal could not be saved.\n\n" + saved.message()));
  }
  if (m_photoSource) SavePhoto(m_user, messages);
  return {std::move(messages), true};
}

void UserEditor::SavePhoto(LocalUserRecord& user, std::vector<Notice>& messages) {
  const std::string photoName = std::to_string(user.id) + "." + m_photoExtension;
  // The person chose this file, links included; the copy itself follows none.
  std::error_code error;
  std::filesystem::path source = std::filesystem::canonical(*m_photoSource, error);
  if (error) source = *m_photoSource;

  Status copied = m_paths.CreatePhotosFolder();
  if (copied) {
    const std::optional<std::filesystem::path> target = m_paths.PhotoFile(photoName);
    copied = target ? CopyFileReplacing(source, *target) : Status::Error("not a plain file name: " + photoName);
  }
  if (!copied) {
    TV_TRACE("Photo not copied: %s\n", copied.message().c_str());
    messages.push_back(Warning("The photo could not be saved, the previous one is kept.\n" + copied.message()));
    return;
  }
  LocalUserRecord withPhoto = user;
  withPhoto.photo = photoName;
  if (const std::optional<std::string> failure = WriteUser(withPhoto)) {
    // The user stays as stored, with the previous photo.
    messages.push_back(Warning("The new photo could not be recorded, the previous one is kept.\n" + *failure));
    return;
  }
  user = withPhoto;
}

std::optional<std::string> UserEditor::WriteUser(const LocalUserRecord& user) {
  if (!m_users.IsOpen()) return "The changes could not be saved: the user database is not open.";
  // user.dat may have been replaced under the logged-in user (an import,
  // say): then nothing must be written in the user's name.
  if (!m_users.Find(user.id)) return "The changes could not be saved: this user is no longer in the user database.";
  if (const Status stored = m_users.Store(user); !stored) return "The changes could not be saved.\n" + stored.message();
  return std::nullopt;
}

void UserEditor::Cancel() {
  m_user = m_original;
  if (m_mode == Mode::Edit) m_goal = LoadStepGoal(m_paths, m_original.id);
}

}  // namespace tempovia
