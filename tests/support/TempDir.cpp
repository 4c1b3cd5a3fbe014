#include "TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tempovia::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tempovia-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests may take permissions away to provoke failures; give them back first.
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
  std::filesystem::remove_all(m_path, ignored);
}

PrivateTmpdir::PrivateTmpdir() {
  if (const char* previous = std::getenv("TMPDIR")) {
    m_previous = previous;
    m_had = true;
  }
  ::setenv("TMPDIR", m_dir.Path().c_str(), 1);
}

PrivateTmpdir::~PrivateTmpdir() {
  if (m_had) {
    ::setenv("TMPDIR", m_previous.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

}  // namespace tempovia::test
