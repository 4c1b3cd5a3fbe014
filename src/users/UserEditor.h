#pragma once
// Everything the user record editor decides, without its window: what each
// box shows in the chosen unit systems, how Save reads and checks the boxes,
// which messages follow, and how Cancel leaves the user as they were. The
// window shows the messages in order and closes when told.
//
// It edits a copy of a user (the logged-in one, or in create mode a new one)
// and writes it to the user database only when Save succeeds; the caller
// then takes the user as stored.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Notice.h"
#include "store/LocalUserRecord.h"

namespace tempovia {

class UserData;
class StorePaths;

// The boxes of the editor as UTF-8 texts, and the sex list's selection.
struct EditorTexts {
  std::string name;
  std::string password;
  std::string height;
  std::string weight;
  std::string walkingStride;
  std::string runningStride;
  std::string age;
  int sex = -1;               // 0 "Male", 1 "Female", -1 nothing selected
  std::string stepGoal = {};  // "Daily step goal" (edit mode only): empty for none

  friend bool operator==(const EditorTexts&, const EditorTexts&) = default;
};

// The captions beside the four measures, worded for the unit systems.
struct EditorLabels {
  std::string height;
  std::string weight;
  std::string walkingStride;
  std::string runningStride;
};

// What follows a step: the message boxes to show, one after the other, and
// whether the dialog then ends with OK (otherwise it stays open).
struct EditorOutcome {
  std::vector<Notice> messages;
  bool close = false;
};

class UserEditor {
 public:
  enum class Mode { Create, Edit };
  // Asks for the password a second time: the typed text (UTF-8), or nothing
  // when the person cancelled.
  using Confirmation = std::function<std::optional<std::string>()>;

  // Opens the editor on user (ignored in create mode, which starts from an
  // empty record); now dates the folder of files an earlier user left.
  UserEditor(UserData& users, const StorePaths& paths, Mode mode, const LocalUserRecord& user, bool imperialLengths,
             bool pounds, const LocalDateTime& now);

  Mode GetMode() const { return m_mode; }
  std::string Caption() const;
  EditorLabels Labels() const;
  // What the boxes show when the dialog opens (all empty in create mode).
  const EditorTexts& Shown() const { return m_shown; }
  // The edited user's stored photo, or nothing when the record names none
  // that may be opened (the window then shows the placeholder). Edit mode only.
  std::optional<std::filesystem::path> StoredPhoto() const;

  // A file chosen with "Change Photo". format is the picture format its
  // content was read as ("jpeg", "png", ...), or nothing when it did not load
  // as a picture: then the warning comes back and an earlier choice stays.
  // Nothing is copied until Save.
  std::optional<Notice> ChoosePhoto(const std::filesystem::path& file, const std::optional<std::string>& format);
  bool HasChosenPhoto() const { return m_photoSource.has_value(); }

  // The Save button with the boxes' texts; confirm runs only once everything
  // else was accepted.
  EditorOutcome Save(const EditorTexts& typed, const Confirmation& confirm);
  // The Cancel button (and closing the dialog any other way): nothing is
  // written, and the user is again what it was when the editor opened.
  void Cancel();
  // The user as the editor holds it; after a Save that closed the editor,
  // the user as stored (a new user with its id and file names).
  const LocalUserRecord& User() const { return m_user; }
  // The daily step goal as the editor holds it (saved with the user).
  const std::optional<int>& StepGoal() const { return m_goal; }
  // Whether a Save closed the editor (the user was written).
  bool Saved() const { return m_saved; }

 private:
  EditorOutcome AddNewUser();
  EditorOutcome UpdateUser();
  void SavePhoto(LocalUserRecord& user, std::vector<Notice>& messages);
  // Writes the user over the stored one with its id: nothing when done,
  // else why not.
  std::optional<std::string> WriteUser(const LocalUserRecord& user);

  UserData& m_users;
  const StorePaths& m_paths;
  Mode m_mode;
  bool m_imperial;
  bool m_pounds;
  LocalDateTime m_now;
  LocalUserRecord m_original;
  LocalUserRecord m_user;
  bool m_saved = false;
  EditorTexts m_shown;
  std::optional<int> m_goal;
  std::optional<std::filesystem::path> m_photoSource;
  std::string m_photoExtension;
};

}  // namespace tempovia
