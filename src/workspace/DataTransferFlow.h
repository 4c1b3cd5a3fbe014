#pragma once
// EXPORT and IMPORT as the main window runs them: the folder is asked for,
// the user database and the user's files are let go while files are copied,
// the questions and messages come in their order, and the database is opened
// again on every way out. After an export the logged-in user is found again
// by id; after an import the first user of the imported file is the one
// logged in.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/Notice.h"
#include "store/DataTransfer.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"

namespace tempovia {

class TransferUi {
 public:
  virtual ~TransferUi() = default;
  // A folder from the folder chooser; empty when cancelled (or when the
  // choice was not a folder of the file system, which the chooser has said).
  virtual std::filesystem::path ChooseFolder(const std::string& title) = 0;
  virtual bool AskYesNo(const std::string& question) = 0;
  virtual void Show(NoticeIcon icon, const std::string& text) = 0;
  // The wait cursor while files are copied.
  virtual void SetBusy(bool busy) = 0;
  // Before the database closes: the window lets go of the user's files.
  virtual void ReleaseUserFiles() = 0;
};

class DataTransferFlow {
 public:
  enum class Outcome {
    Nothing,      // cancelled or refused; the same user is logged in
    SameUser,     // files copied; the logged-in user was found again
    UserChanged,  // another user is logged in now (or nobody): show them anew
  };
  struct Result {
    Outcome outcome = Outcome::Nothing;
    // The logged-in user from now on; nothing when the database holds none.
    std::optional<LocalUserRecord> user;
  };

  DataTransferFlow(const StorePaths& paths, UserData& users, TransferUi& ui, const Clock& clock);

  Result Export(const LocalUserRecord& loggedIn);
  Result Import(const LocalUserRecord& loggedIn);

 private:
  // Opens user.dat again; false (said) when it cannot be.
  bool Reopen();
  // Opens again and finds the user by id; found when they are there.
  Result ReopenFor(const LocalUserRecord& loggedIn, Outcome found);
  // The first user of the file, as an import leaves it.
  Result FirstUser();
  std::string NotCopiedText(const TransferResult& result) const;

  const StorePaths& m_paths;
  UserData& m_users;
  TransferUi& m_ui;
  const Clock& m_clock;
};

}  // namespace tempovia
