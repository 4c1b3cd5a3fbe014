#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "Process.h"
#include "ReportTestSupport.h"
#include "TempDir.h"
#include "report/CaptureFile.h"
#include "report/CapturePlacement.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

TEST(CaptureFileTest, IsPrivateUnpredictableAndGoneWithItsOwner) {
  test::TempDir dir;
  fs::path first;
  {
    std::string error;
    std::unique_ptr<CaptureFile> a = CaptureFile::Create(&error, dir.Path());
    std::unique_ptr<CaptureFile> b = CaptureFile::Create(&error, dir.Path());
    ASSERT_TRUE(a && b) << error;
    first = a->Path();
    EXPECT_EQ(first.parent_path(), dir.Path());
    EXPECT_EQ(first.extension(), ".jpg");
    EXPECT_NE(a->Path(), b->Path());
    struct stat info {};
    ASSERT_EQ(::stat(first.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_size, 0);

    ASSERT_GE(a->Descriptor(), 0);
    ASSERT_EQ(::write(a->Descriptor(), "picture", 7), 7);
    EXPECT_TRUE(a->CloseDescriptor());
    EXPECT_EQ(a->Descriptor(), -1);
    EXPECT_EQ(test::ReadText(first), "picture");
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(CaptureFileTest, GoesToTheSystemsTemporaryFolderAndSaysWhyItCannot) {
  test::TempDir dir;
  {
    test::PrivateTmpdir temporary;
    std::unique_ptr<CaptureFile> file = CaptureFile::Create();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Path().parent_path(), temporary.Path());
  }

  std::string error;
  EXPECT_EQ(CaptureFile::Create(&error, dir / "missing"), nullptr);
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// A Tempovia killed while its report options were open leaves its picture in
// the temporary folder; the next PRINT (here or in another Tempovia) removes
// it, and nothing else: not a picture in use, nor anything not surely ours.
TEST(CaptureFileTest, ANewCaptureRemovesOnlyPicturesLeftByProgramsThatEnded) {
  test::TempDir dir;
  // A program that ends holding a picture, as a killed one does.
  ASSERT_TRUE(test::InChildWithin(30, [&] { return CaptureFile::Create(nullptr, dir.Path()).release() != nullptr; }));
  ASSERT_EQ(Names(dir.Path()).size(), 1u);
  test::WriteText(dir / "tempovia-chart-AbC123.jpg", "an older picture");

  // In use: written, its descriptor closed, the report options still open.
  std::unique_ptr<CaptureFile> inUse = CaptureFile::Create(nullptr, dir.Path());
  ASSERT_TRUE(inUse);
  ASSERT_TRUE(inUse->CloseDescriptor());

  // Not surely ours: other names, a folder, a link, another user's file.
  std::set<std::string> kept = {inUse->Path().filename().string()};
  for (const char* name : {"tempovia-chart-AbC12.jpg", "tempovia-chart-AbC1234.jpg", "tempovia-chart-AbC123.png",
                           "tempovia-chart-Ab-123.jpg", "other-chart-AbC123.jpg"}) {
    test::WriteText(dir / name, "x");
    kept.insert(name);
  }
  fs::create_directory(dir / "tempovia-chart-Dir123.jpg");
  test::TempDir elsewhere;
  test::WriteText(elsewhere / "picture.jpg", "not ours");
  fs::create_symlink(elsewhere / "picture.jpg", dir / "tempovia-chart-Lnk123.jpg");
  kept.insert({"tempovia-chart-Dir123.jpg", "tempovia-chart-Lnk123.jpg"});
  if (::geteuid() == 0) {
    // Root could remove it; it must not.
    test::WriteText(dir / "tempovia-chart-Oth123.jpg", "another user's");
    ASSERT_EQ(::chown((dir / "tempovia-chart-Oth123.jpg").c_str(), 65534, 65534), 0);
    kept.insert("tempovia-chart-Oth123.jpg");
  }

  std::unique_ptr<CaptureFile> next = CaptureFile::Create(nullptr, dir.Path());
  ASSERT_TRUE(next);
  kept.insert(next->Path().filename().string());
  EXPECT_EQ(Names(dir.Path()), kept);
  EXPECT_EQ(test::ReadText(elsewhere / "picture.jpg"), "not ours");

  const fs::path used = inUse->Path();
  inUse.reset();
  EXPECT_FALSE(fs::exists(used));
}

TEST(CapturePlacementTest, OnlyAWindowReachingOutsideTheScreenIsCentred) {
  const ScreenRect screen{0, 0, 1280, 1024};
  const struct {
    ScreenRect window;
    bool outside;
  } cases[] = {
      {{0, 0, 1000, 709}, false},  {{280, 315, 1000, 709}, false}, {{281, 0, 1000, 709}, true},
      {{0, 316, 1000, 709}, true}, {{-1, 10, 1000, 709}, true},    {{10, -1, 1000, 709}, true},
      {{0, 0, 1280, 1024}, false}, {{0, 0, 1281, 1024}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(ReachesOutside(c.window, screen), c.outside) << c.window.x << "," << c.window.y;

  // Centred on the desktop, which may leave out a task bar and start off 0.
  EXPECT_EQ(CentredOn({900, 700, 1000, 709}, {0, 0, 1280, 984}), (ScreenRect{140, 137, 1000, 709}));
  EXPECT_EQ(CentredOn({900, 700, 1000, 709}, {1280, 40, 1920, 1040}), (ScreenRect{1740, 205, 1000, 709}));
}

}  // namespace
}  // namespace tempovia
