#include "MonkeyDesktop.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace tempovia::monkey {

namespace fs = std::filesystem;

MonkeyDesktop::MonkeyDesktop(const Clock& clock, Dice& dice, EventLog& log, const StorePaths& paths,
                             const fs::path& scratch)
    : QtDesktop(clock), m_dice(dice), m_log(log), m_paths(paths), m_scratch(scratch) {
  std::error_code ignored;
  fs::create_directories(m_scratch / "exports", ignored);
  // A folder someone else made: a user.dat that is no user database.
  fs::create_directories(m_scratch / "foreign", ignored);
  std::ofstream(m_scratch / "foreign" / "user.dat", std::ios::binary) << std::string(100, '\x5a');
  std::ofstream(m_scratch / "a file", std::ios::binary) << "not a folder";
}

fs::path MonkeyDesktop::ChooseFolder(const std::string& title) {
  const bool import = title.find("import") != std::string::npos;
  std::vector<fs::path> choices = {fs::path(),           m_scratch / "exports", m_scratch / "missing" / "folder",
                                   m_scratch / "a file", m_paths.DataFolder(),  m_paths.Base(),
                                   m_scratch / "foreign"};
  if (import) {
    // Now and then an export made earlier in the run, which really imports.
    std::error_code error;
    for (fs::directory_iterator it(m_scratch / "exports", error); !error && it != fs::directory_iterator();
         it.increment(error))
      if (m_dice.Chance(0.3)) choices.push_back(it->path());
  }
  const fs::path chosen = m_dice.Pick(choices);
  std::error_code error;
  if (import && fs::exists(chosen / "user.dat", error) && chosen != m_scratch / "foreign") ++m_importsOffered;
  m_log.Add("folder chooser \"" + title + "\" -> \"" + chosen.string() + "\"");
  return chosen;
}

QString MonkeyDesktop::ChoosePhotoFile(QWidget*) {
  // Nothing, something that is no picture, a folder, or a picture of ours.
  std::error_code error;
  fs::create_directories(m_scratch / "photos", error);
  std::ofstream(m_scratch / "photos" / "not a picture.jpg", std::ios::binary) << "no picture";
  const std::vector<fs::path> choices = {fs::path(), m_scratch / "photos" / "not a picture.jpg", m_scratch / "a file",
                                         m_scratch / "exports", m_scratch / "missing.png"};
  const fs::path chosen = m_dice.Pick(choices);
  m_log.Add("photo chooser -> \"" + chosen.string() + "\"");
  return QString::fromStdString(chosen.string());
}

bool MonkeyDesktop::OpenDocument(const fs::path& path) {
  const bool opened = m_dice.Chance(0.8);
  m_log.Add("open document " + path.string() + (opened ? " -> opened" : " -> failed"));
  return opened;
}

}  // namespace tempovia::monkey
