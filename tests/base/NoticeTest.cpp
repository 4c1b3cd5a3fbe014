#include <gtest/gtest.h>

#include <cerrno>

#include "base/Notice.h"
#include "base/testing/NoticeRecorder.h"

namespace tempovia {
namespace {

TEST(Notice, RecorderCollectsNoticesWithTheirIcons) {
  NoticeRecorder recorder;
  ShowNotice(NoticeIcon::Warning, "Failed to open Step Data");
  ShowNotice(NoticeIcon::None, "Data Imported!");
  ASSERT_EQ(recorder.Notices().size(), 2u);
  EXPECT_EQ(recorder.Notices()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Failed to open Step Data", "Data Imported!"}));
}

TEST(Notice, WithoutASinkNoticesGoToStandardError) {
  testing::internal::CaptureStderr();
  ShowNotice(NoticeIcon::Warning, "Cannot open database");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tempovia: Cannot open database\n");
}

TEST(Notice, NestedRecordersRestoreTheOuterOne) {
  NoticeRecorder outer;
  {
    NoticeRecorder inner;
    ShowNotice(NoticeIcon::None, "inner");
    EXPECT_EQ(inner.Texts().size(), 1u);
  }
  ShowNotice(NoticeIcon::None, "outer");
  EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
}

// A sink that shows a notice of its own while showing one, as a message box's
// event loop may.
class ReentrantSink final : public NoticeSink {
 public:
  void Show(const Notice& notice) override {
    texts.push_back(notice.text);
    if (texts.size() == 1) ShowNotice(NoticeIcon::Warning, "nested");
  }
  std::vector<std::string> texts;
};

TEST(Notice, ASinkMayShowNoticesWhileShowingOne) {
  ReentrantSink sink;
  NoticeSink* previous = InstallNoticeSink(&sink);
  ShowNotice(NoticeIcon::Warning, "outer");
  InstallNoticeSink(previous);
  EXPECT_EQ(sink.texts, (std::vector<std::string>{"outer", "nested"}));
}

TEST(Notice, SystemErrorTextNamesTheProblem) {
  EXPECT_NE(SystemErrorText(ENOSPC).find("space"), std::string::npos);
  EXPECT_NE(SystemErrorText(EACCES).find("ermission"), std::string::npos);
}

}  // namespace
}  // namespace tempovia
