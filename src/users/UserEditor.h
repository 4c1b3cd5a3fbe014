#pragma once
// Everything the user record editor decides, without its window: what each
// box shows in the chosen unit systems, how Save reads and checks the boxes,
// which messages follow, and how Cancel puts the user back. The window shows
// the messages in order and closes when told.
//
// It edits the user database's current record in place, as the rest of the
// program reads that record: the logged-in user from the main window, the
// shown user from the login window (create mode adds a new one from it).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LocalUserRecord.h"
#include "Notice.h"

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
  int sex = -1;  // 0 "Male", 1 "Female", -1 nothing selected

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

  // Opens the editor on the current record of users. refreshUserPanel is
  // called once a new user has been added (it may be empty).
  UserEditor(UserData& users, const StorePaths& paths, Mode mode, bool imperialLengths, bool pounds,
             std::function<void()> refreshUserPanel);

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
  // The Cancel button (and closing the dialog any other way): the current
  // record becomes again what it was when the editor opened.
  void Cancel();

 private:
  EditorOutcome AddNewUser();
  EditorOutcome UpdateUser();
  void SavePhoto(LocalUserRecord& user, std::vector<Notice>& messages);
  // Writes the current record over the stored one with its id: nothing when
  // done, else why not.
  std::optional<std::string> WriteCurrent();

  UserData& m_users;
  const StorePaths& m_paths;
  Mode m_mode;
  bool m_imperial;
  bool m_pounds;
  std::function<void()> m_refreshUserPanel;
  LocalUserRecord m_original;
  EditorTexts m_shown;
  std::optional<std::filesystem::path> m_photoSource;
  std::string m_photoExtension;
};

}  // namespace tempovia
