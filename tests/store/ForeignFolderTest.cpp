// A data folder can come from anywhere: an import, another computer, a
// hand-made copy, a read-only backup. Whatever it holds, the store must not
// reach outside it, hang, hand one user's data to another or lose a write.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Process.h"
#include "StoreTestSupport.h"
#include "TempDir.h"
#include "base/RegularFile.h"
#include "store/DataTransfer.h"
#include "store/ExerciseDB.h"
#include "store/FolderCopy.h"
#include "store/StepData.h"
#include "store/StorePaths.h"
#include "store/StoredFile.h"
#include "store/UserData.h"
#include "store/UserSettings.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::Day;
using test::User;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ForeignFolderTest : public ::testing::Test {
 protected:
  ForeignFolderTest() : paths(dir / "base") { EXPECT_TRUE(paths.CreatePhotosFolder().ok()); }

  fs::path Data(const std::string& name) const { return paths.DataFolder() / name; }

  test::TempDir dir;
  StorePaths paths;
};

TEST_F(ForeignFolderTest, LinksInsideTheDataFolderAreNeverFollowed) {
  test::WriteBytes(dir / "outside.dat", Bytes(648, 7));
  fs::create_symlink(dir / "outside.dat", Data("100.dat"));
  fs::create_symlink(dir / "made-outside.dat", Data("101.dat"));  // leads nowhere yet

  for (const char* name : {"100.dat", "101.dat"}) {
    SCOPED_TRACE(name);
    StepData steps;
    EXPECT_FALSE(steps.Open(Data(name)));
    EXPECT_TRUE(Contains(steps.LastError(), "symbolic link")) << steps.LastError();
    EXPECT_FALSE(steps.OpenForReading(Data(name)));
  }
  EXPECT_EQ(test::ReadBytes(dir / "outside.dat"), Bytes(648, 7));
  EXPECT_FALSE(fs::exists(dir / "made-outside.dat"));

  // A photos folder that leads elsewhere: deleting a user removes nothing there.
  fs::remove(paths.PhotosFolder());
  fs::create_directory(dir / "pictures");
  test::WriteBytes(dir / "pictures" / "102.jpg", Bytes{1, 2});
  fs::create_directory_symlink(dir / "pictures", paths.PhotosFolder());
  LocalUserRecord withPhoto = User(102, "Pia", "102.dat", "102_exercise.dat");
  withPhoto.photo = "102.jpg";
  test::WriteUsers(paths.UserDatabase(), {withPhoto});
  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  ASSERT_EQ(users.Delete(102), UserData::kDeleted);
  EXPECT_TRUE(fs::exists(dir / "pictures" / "102.jpg"));
}

TEST_F(ForeignFolderTest, ADataFolderThatIsALinkIsFollowedOnPurpose) {
  // Data kept on another disk, reached through a link the user made.
  fs::rename(paths.DataFolder(), dir / "other-disk");
  fs::create_directory_symlink(dir / "other-disk", paths.DataFolder());
  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase())) << users.LastError();
  users.Current().name = "Ann";
  ASSERT_TRUE(users.AddNew(paths, LocalDateTime::From(2026, 12, 8)).ok());
  EXPECT_EQ(fs::file_size(dir / "other-disk" / "user.dat"), LocalUserRecord::kSize);
  EXPECT_TRUE(fs::exists(dir / "other-disk" / "100.dat"));
}

TEST_F(ForeignFolderTest, PipesAndDevicesAreRefusedWithoutBlocking) {
  ASSERT_EQ(::mkfifo(Data("100.dat").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(paths.SettingsFile().c_str(), 0600), 0);
  EXPECT_TRUE(test::InChildWithin(10, [&] {
    StepData steps;
    CExerciseDB exercises;
    UserSettings settings;
    settings.SetPath(paths.SettingsFile());
    return !steps.Open(Data("100.dat")) && Contains(steps.LastError(), "not a regular file") &&
           !exercises.OpenForReading(Data("100.dat")) && !settings.Load() && settings.distanceUnit == 0;
  }));

  // An image input is read with a bound, and only from a regular file.
  Bytes bytes;
  const Status zero = ReadRegularFile("/dev/zero", 512, bytes);
  EXPECT_TRUE(Contains(zero.message(), "not a regular file")) << zero.message();
  test::WriteBytes(dir / "large.img", Bytes(100000, 1));
  ASSERT_TRUE(ReadRegularFile(dir / "large.img", 512, bytes).ok());
  EXPECT_EQ(bytes.size(), 513u);
}

TEST_F(ForeignFolderTest, TemporaryFilesOfAKilledRewriteGoAndAreNeverCopied) {
  test::WriteDays(Data("100.dat"), {Day(2009, 1, 1)});
  test::WriteBytes(Data(".100.dat.Ab12Cd"), Bytes(648, 1));   // a killed rewrite of 100.dat
  test::WriteBytes(Data(".user.dat.Zz99Yy"), Bytes(152, 2));  // one of user.dat, not opened here
  test::WriteBytes(Data(".100.dat.old"), Bytes(3, 3));        // not a name of ours

  StepData steps;
  ASSERT_TRUE(steps.OpenForReading(Data("100.dat")));  // a reader changes nothing
  EXPECT_TRUE(fs::exists(Data(".100.dat.Ab12Cd")));
  steps.Close();
  ASSERT_TRUE(steps.Open(Data("100.dat")));
  EXPECT_FALSE(fs::exists(Data(".100.dat.Ab12Cd")));
  EXPECT_TRUE(fs::exists(Data(".user.dat.Zz99Yy")));
  EXPECT_TRUE(fs::exists(Data(".100.dat.old")));

  fs::create_directory(dir / "export");
  EXPECT_TRUE(CopyFolder(paths.DataFolder(), dir / "export").empty());
  EXPECT_FALSE(fs::exists(dir / "export" / ".user.dat.Zz99Yy"));
  EXPECT_TRUE(fs::exists(dir / "export" / ".100.dat.old"));
  EXPECT_TRUE(fs::exists(dir / "export" / "100.dat"));
}

TEST_F(ForeignFolderTest, ExportingIntoTempoviasOwnFolderIsRefused) {
  for (const fs::path& inside : {paths.Base() / "copies", paths.DataFolder() / "copies", paths.Base()}) {
    SCOPED_TRACE(inside.string());
    const TransferResult result = ExportData(paths, ExportFolderPath(inside, test::Ymd(2026, 12, 8)));
    EXPECT_TRUE(Contains(result.status.message(), "Cannot export into Tempovia's own folder"))
        << result.status.message();
  }
  EXPECT_FALSE(fs::exists(paths.Base() / "Tempovia Data 08-Dec-2026"));
  EXPECT_FALSE(fs::exists(paths.Base() / "copies"));
  EXPECT_TRUE(CheckExportFolder(paths, dir / "copies" / "Tempovia Data 08-Dec-2026").ok());
}

// A read-only medium: every open that could write, and every write, fails.
class ReadOnlyMedium final : public FileWriter {
 public:
  ReadOnlyMedium() : m_previous(InstallFileWriter(this)) {}
  ~ReadOnlyMedium() override { InstallFileWriter(m_previous); }
  int OpenAt(int folderFd, const std::string& name, int flags, int& fd) override {
    if ((flags & (O_WRONLY | O_RDWR | O_CREAT)) != 0) return EROFS;
    return FileWriter::OpenAt(folderFd, name, flags, fd);
  }
  int WriteAt(int, std::span<const std::uint8_t>, std::uint64_t) override { return EROFS; }
  int Truncate(int, std::uint64_t) override { return EROFS; }
  int CreateTemporary(const fs::path&, int&, fs::path&) override { return EROFS; }
  int Rename(const fs::path&, const fs::path&) override { return EROFS; }

 private:
  FileWriter* m_previous;
};

TEST_F(ForeignFolderTest, ReadingNeedsNoWritePermissionAndCreatesNothing) {
  test::WriteUsers(paths.UserDatabase(), {User(100, "Ann", "100.dat", "100_exercise.dat")});
  test::WriteDays(Data("100.dat"), {Day(2009, 1, 1), Day(2009, 1, 2)});
  test::WriteBytes(Data("100_exercise.dat"), Bytes(88, 0));
  UserSettings imperial;
  imperial.distanceUnit = 1;
  imperial.SetPath(paths.SettingsFile());
  ASSERT_TRUE(imperial.Save().ok());
  const auto before = test::Tree(paths.Base());

  ReadOnlyMedium medium;
  UserData users;
  StepData steps;
  CExerciseDB exercises;
  UserSettings settings;
  settings.SetPath(paths.SettingsFile());
  EXPECT_FALSE(users.Open(paths.UserDatabase()));
  EXPECT_TRUE(Contains(users.LastError(), "Read-only file system")) << users.LastError();
  ASSERT_TRUE(users.OpenForReading(paths.UserDatabase())) << users.LastError();
  EXPECT_EQ(users.Current().name, "Ann");
  ASSERT_TRUE(steps.OpenForReading(Data("100.dat"))) << steps.LastError();
  EXPECT_EQ(steps.GetCount(), 2);
  ASSERT_TRUE(exercises.OpenForReading(Data("100_exercise.dat"))) << exercises.LastError();
  EXPECT_EQ(exercises.GetCount(), 1);
  EXPECT_TRUE(settings.Load());
  EXPECT_EQ(settings.distanceUnit, 1);

  // A missing file reads as empty and is not made.
  StepData missing;
  ASSERT_TRUE(missing.OpenForReading(Data("101.dat")));
  EXPECT_TRUE(missing.IsEmpty());
  // Opened for reading, nothing writes.
  steps.Current() = Day(2009, 1, 3);
  EXPECT_FALSE(steps.MergeDay());
  EXPECT_TRUE(Contains(steps.LastError(), "opened for reading only")) << steps.LastError();
  EXPECT_FALSE(users.Append());
  EXPECT_EQ(users.Delete(100), UserData::kNotWritten);
  EXPECT_EQ(test::Tree(paths.Base()), before);
}

// Lets another program act between our open and our lock, once.
class InterposingWriter final : public FileWriter {
 public:
  explicit InterposingWriter(std::function<void()> meanwhile)
      : m_meanwhile(std::move(meanwhile)), m_previous(InstallFileWriter(this)) {}
  ~InterposingWriter() override { InstallFileWriter(m_previous); }
  int Lock(int fd, bool exclusive) override {
    if (m_meanwhile) std::exchange(m_meanwhile, nullptr)();
    return FileWriter::Lock(fd, exclusive);
  }

 private:
  std::function<void()> m_meanwhile;
  FileWriter* m_previous;
};

TEST_F(ForeignFolderTest, AFileReplacedBetweenOpeningAndLockingIsOpenedAgain) {
  UserData other;
  ASSERT_TRUE(other.Open(paths.UserDatabase()));
  for (const char* name : {"Anna", "Ben", "Cleo"}) {
    other.Current() = LocalUserRecord{};
    other.Current().name = name;
    ASSERT_TRUE(other.Append());
  }
  UserData users;
  {
    // The other program deletes Ben (user.dat is rewritten and renamed into
    // place) just after we opened the old file and before we lock it.
    InterposingWriter race([&] {
      ASSERT_EQ(other.Delete(101), UserData::kDeleted);
      other.Close();
    });
    ASSERT_TRUE(users.Open(paths.UserDatabase())) << users.LastError();
  }
  EXPECT_EQ(users.GetCount(), 2);
  users.Current() = LocalUserRecord{};
  users.Current().name = "Dora";
  ASSERT_TRUE(users.Append());
  users.Close();
  ASSERT_TRUE(users.OpenForReading(paths.UserDatabase()));
  ASSERT_EQ(users.GetCount(), 3) << "Dora was written to a file nobody sees";
  EXPECT_EQ(users.RecordAt(2).name, "Dora");
}

TEST_F(ForeignFolderTest, UsersTiedTogetherAreNeverWrittenButStillRead) {
  const std::vector<LocalUserRecord> stored = {
      User(100, "Anna", "100.dat", "100_exercise.dat"), User(101, "Ben", "101.dat", "101_exercise.dat"),
      User(101, "Bob", "102.dat", "102_exercise.dat"),  // Ben's id again
      User(103, "Eve", "103.dat", "100.dat"),           // her sessions would go into Anna's days
      User(104, "Cleo", "104.dat", "104.dat"),          // one file for both kinds
      User(105, "Dora", "105.dat", "105_exercise.dat"),
  };
  test::WriteUsers(paths.UserDatabase(), stored);
  for (const char* name : {"100.dat", "101.dat", "102.dat"}) test::WriteBytes(Data(name), Bytes{1});
  const Bytes before = test::ReadBytes(paths.UserDatabase());

  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  EXPECT_EQ(users.Problems().size(), 3u);

  EXPECT_EQ(users.Delete(101), UserData::kRefused);
  EXPECT_TRUE(Contains(users.LastError(), "Two users in the user database have the id 101 (\"Ben\" and \"Bob\")"))
      << users.LastError();
  EXPECT_TRUE(fs::exists(Data("101.dat")));
  EXPECT_TRUE(fs::exists(Data("102.dat")));

  struct Refusal {
    int index;
    const char* says;
  };
  for (const Refusal& refusal :
       {Refusal{0, "names one file, 100.dat, for two users (\"Anna\" and \"Eve\")"},
        Refusal{3, "names one file, 100.dat, for two users (\"Anna\" and \"Eve\")"},
        Refusal{4, "as both \"Cleo\"'s step file and exercise file"}, Refusal{2, "have the id 101"}}) {
    users.Current() = users.RecordAt(refusal.index);
    users.Current().weight = 60;
    EXPECT_FALSE(users.Update(users.Current().id));
    EXPECT_TRUE(Contains(users.LastError(), refusal.says)) << users.LastError();
    EXPECT_EQ(users.Current().weight, 60);
  }
  EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), before);

  // The others are untouched by the problems, and everyone can still be read.
  users.Current() = users.RecordAt(5);
  users.Current().weight = 55;
  EXPECT_TRUE(users.Update(105));
  EXPECT_TRUE(users.FindByName("Bob"));
  EXPECT_EQ(users.Current().stepFile, "102.dat");
}

TEST_F(ForeignFolderTest, FullWidthTextRoundTripsByteForByte) {
  // Legal in a file from elsewhere: each text fills its field without a NUL.
  LocalUserRecord full = User(100, std::string(31, 'N'), std::string(16, 's') + ".dat", std::string(16, 'e') + ".dat");
  full.password = std::string(13, 'P');
  full.photo = std::string(16, 'p') + ".jpg";
  test::WriteUsers(paths.UserDatabase(), {full});
  test::WriteBytes(Data(full.stepFile), Bytes(648, 0));
  const Bytes before = test::ReadBytes(paths.UserDatabase());

  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  EXPECT_EQ(users.Current(), full);
  ASSERT_TRUE(users.Update(100));  // as a download's write-back does
  EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), before);
  StepData steps;
  EXPECT_TRUE(steps.Open(*paths.UserFile(users.RecordAt(0).stepFile)));
  EXPECT_EQ(steps.GetCount(), 1) << "the record names another file now";
}

}  // namespace
}  // namespace tempovia
