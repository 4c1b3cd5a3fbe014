#pragma once
// A fresh folder under the system's temporary folder, removed with its content
// when the object goes.

#include <filesystem>
#include <string>

namespace tempovia::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

// Points TMPDIR at a fresh folder of its own while it lives, so what a test
// looks for in "the" temporary folder is not what a test running beside it
// made there.
class PrivateTmpdir {
 public:
  PrivateTmpdir();
  ~PrivateTmpdir();
  PrivateTmpdir(const PrivateTmpdir&) = delete;
  PrivateTmpdir& operator=(const PrivateTmpdir&) = delete;

  const std::filesystem::path& Path() const { return m_dir.Path(); }

 private:
  TempDir m_dir;
  std::string m_previous;
  bool m_had = false;
};

}  // namespace tempovia::test
