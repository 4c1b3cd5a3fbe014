#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "FileContents.h"
#include "HelpPdfSupport.h"
#include "PdfText.h"
#include "Process.h"
#include "TempDir.h"
#include "help/HelpDocument.h"
#include "store/FileWriter.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

std::string LongWord() {
  std::string word;
  for (int i = 0; i < 300; ++i) word += static_cast<char>('a' + (i * 7) % 26);
  return word;
}

// UTF-8, as the texts are written.
std::string SampleMarkup() {
  std::string text =
      "# Caf\xC3\xA9 Guide \xE2\x80\x93 Tempovia\n\n"
      "Press **UPLOAD** and run `tempovia-cli probe` first.\n\n"
      "## Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
      "e section\n\n" +
      LongWord() +
      "\n\n### A question \xE2\x80\x93 with a dash?\n\n"
      "- na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D item\n\n"
      "| Keys | Action |\n|---|---|\n| Alt+U | upload the watch |\n\n"
      "```\nsudo cp resources/linux/70-tempovia.rules /etc/udev/rules.d/\n```\n";
  for (int i = 0; i < 40; ++i)
    text += "\n## Part " + std::to_string(i) + "\n\nA paragraph long enough to take most of one line of the page.\n";
  return text;
}

std::vector<fs::path> Entries(const fs::path& folder) {
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(folder)) entries.push_back(entry.path().filename());
  return entries;
}

TEST(HelpDocumentTest, ThePdfReadsBackAsWritten) {
  test::TempDir dir;
  HelpDocument document;
  ASSERT_TRUE(document.Parse(SampleMarkup()));
  const fs::path pdf = dir / "guide.pdf";
  const Status saved = document.Save(pdf);
  ASSERT_TRUE(saved) << saved.message();

  const int pages = document.PageCount();
  ASSERT_GE(pages, 2);
  EXPECT_EQ(test::PdfPageCount(pdf), pages);
  const std::vector<std::string> text = test::SqueezedPages(pdf);
  ASSERT_EQ(text.size(), static_cast<std::size_t>(pages));

  // Windows-1252 letters come back as the same characters.
  EXPECT_NE(text[0].find("Caf\xC3\xA9 Guide \xE2\x80\x93 Tempovia"), std::string::npos) << text[0];
  EXPECT_NE(text[0].find("Press UPLOAD and run tempovia-cli probe first."), std::string::npos) << text[0];
  EXPECT_NE(text[0].find("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                         "e section"),
            std::string::npos);
  EXPECT_NE(text[0].find("A question \xE2\x80\x93 with a dash?"), std::string::npos);
  EXPECT_NE(text[0].find("na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D item"), std::string::npos);
  EXPECT_NE(text[0].find("Alt+U upload the watch"), std::string::npos);
  EXPECT_NE(text[0].find("sudo cp resources/linux/70-tempovia.rules /etc/udev/rules.d/"), std::string::npos);
  // The long word was wrapped over lines, and every letter is there in order.
  EXPECT_NE(test::WithoutBlanks(text[0]).find(LongWord()), std::string::npos);

  std::string all;
  for (int p = 0; p < pages; ++p) {
    const std::string number = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages);
    EXPECT_NE(text[static_cast<std::size_t>(p)].find(number), std::string::npos) << number;
    all += text[static_cast<std::size_t>(p)] + " ";
  }
  for (int i = 0; i < 40; ++i) EXPECT_NE(all.find("Part " + std::to_string(i) + " A paragraph"), std::string::npos);

  const test::ProcessResult info = test::RunProcess(PDFINFO, {pdf.string()});
  // The document information cannot hold the dash, so it has a hyphen.
  EXPECT_NE(info.out.find("Caf\xC3\xA9 Guide - Tempovia"), std::string::npos) << info.out;

  // Every heading is a bookmark, the viewer opens with them shown.
  const std::vector<std::uint8_t> raw = test::ReadBytes(pdf);
  const std::string file(raw.begin(), raw.end());
  EXPECT_NE(file.find("/PageMode /UseOutlines"), std::string::npos);
  // Letters beyond ASCII are written as octal escapes.
  for (const char* bookmark :
       {R"(/Title (Cr\350me br\373l\351e section))", "/Title (A question - with a dash?)", "/Title (Part 39)"})
    EXPECT_NE(file.find(bookmark), std::string::npos) << bookmark;

  struct stat status {};
  ASSERT_EQ(::stat(pdf.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
  EXPECT_EQ(Entries(dir.Path()), std::vector<fs::path>{"guide.pdf"});
}

TEST(HelpDocumentTest, ASaveIntoAMissingFolderSaysWhyAndWritesNothing) {
  test::TempDir dir;
  HelpDocument document;
  ASSERT_TRUE(document.Parse("# Title\n\nText.\n"));
  const fs::path missing = dir / "no such folder";
  const Status saved = document.Save(missing / "help.pdf");
  ASSERT_FALSE(saved);
  EXPECT_NE(saved.message().find(missing.string()), std::string::npos) << saved.message();
  EXPECT_NE(saved.message().find("No such file or directory"), std::string::npos) << saved.message();
  EXPECT_EQ(document.PageCount(), 0);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(Entries(dir.Path()).empty());
}

// Fails the write call numbered failAt (0 the bytes, 1 the flush, 2 the rename).
class FailingWriter : public FileWriter {
 public:
  explicit FailingWriter(int failAt) : m_failAt(failAt) { m_previous = InstallFileWriter(this); }
  ~FailingWriter() override { InstallFileWriter(m_previous); }
  FailingWriter(const FailingWriter&) = delete;
  FailingWriter& operator=(const FailingWriter&) = delete;

  int WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) override {
    return Fail() ? ENOSPC : FileWriter::WriteAt(fd, bytes.first(bytes.size() / 2), offset);
  }
  int Sync(int fd) override { return Fail() ? EIO : FileWriter::Sync(fd); }
  int Rename(const fs::path& from, const fs::path& to) override {
    return Fail() ? EACCES : FileWriter::Rename(from, to);
  }

 private:
  bool Fail() { return m_calls++ == m_failAt; }
  int m_failAt;
  int m_calls = 0;
  FileWriter* m_previous = nullptr;
};

TEST(HelpDocumentTest, AFailedSaveLeavesTheOldFileWhole) {
  test::TempDir dir;
  const fs::path pdf = dir / "help.pdf";
  test::WriteText(pdf, "the old document");
  const std::vector<std::uint8_t> old = test::ReadBytes(pdf);
  HelpDocument document;
  ASSERT_TRUE(document.Parse("# Title\n\nText.\n"));
  for (int failAt = 0; failAt < 3; ++failAt) {
    const FailingWriter writer(failAt);
    const Status saved = document.Save(pdf);
    EXPECT_FALSE(saved) << failAt;
    EXPECT_NE(saved.message().find(pdf.string()), std::string::npos) << saved.message();
    EXPECT_EQ(test::ReadBytes(pdf), old) << failAt;
    EXPECT_EQ(Entries(dir.Path()), std::vector<fs::path>{"help.pdf"}) << failAt;
  }
  ASSERT_TRUE(document.Save(pdf));
  EXPECT_EQ(test::PdfPageCount(pdf), 1);
}

TEST(HelpDocumentTest, LoadAndSaveRefuseWhatTheyCannotUse) {
  test::TempDir dir;
  HelpDocument document;
  const Status missing = document.Load(dir / "absent.txt");
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.message().find("absent.txt: No such file or directory"), std::string::npos) << missing.message();

  test::WriteText(dir / "bad.txt", "# Title\n| one cell |\n");
  const Status bad = document.Load(dir / "bad.txt");
  EXPECT_FALSE(bad);
  EXPECT_EQ(bad.message(), (dir / "bad.txt").string() + ": line 2: a table row needs two cells, not 1");
  EXPECT_TRUE(document.Blocks().empty());

  const Status empty = document.Save(dir / "empty.pdf");
  EXPECT_FALSE(empty);
  EXPECT_FALSE(fs::exists(dir / "empty.pdf"));
}

}  // namespace
}  // namespace tempovia
