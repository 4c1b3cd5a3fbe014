#pragma once
// The program's own desktop with the two services a test must not hand to
// the real desktop: the folder chooser answers with folders under the run's
// own scratch folder (good ones, foreign ones, missing ones, Tempovia's
// own), and documents are never opened in another program. Every dialog
// of ours is the real one, driven by the monkey's clicks and keys.

#include <filesystem>
#include <string>
#include <vector>

#include "Dice.h"
#include "EventLog.h"
#include "app/QtDesktop.h"
#include "store/StorePaths.h"

namespace tempovia::monkey {

class MonkeyDesktop final : public QtDesktop {
 public:
  MonkeyDesktop(const Clock& clock, Dice& dice, EventLog& log, const StorePaths& paths,
                const std::filesystem::path& scratch);

  std::filesystem::path ChooseFolder(const std::string& title) override;
  bool OpenDocument(const std::filesystem::path& path) override;

  // Import folders chosen that hold a user.dat (an import may then replace
  // users and their days).
  int ImportsOffered() const { return m_importsOffered; }

 protected:
  QString ChoosePhotoFile(QWidget* parent) override;

 private:
  Dice& m_dice;
  EventLog& m_log;
  const StorePaths& m_paths;
  std::filesystem::path m_scratch;
  int m_importsOffered = 0;
};

}  // namespace tempovia::monkey
