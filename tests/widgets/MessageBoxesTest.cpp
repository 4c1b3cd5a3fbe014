#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "base/testing/NoticeRecorder.h"
#include "widgets/MessageBoxNoticeSink.h"
#include "widgets/QtMessageBoxes.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {
namespace {

TEST(MessageBoxes, ScriptedBoxesRecordAndAnswerFromTheScript) {
  ScriptedMessageBoxes boxes;
  boxes.Answer(MessageAnswer::Yes);
  ShowWarning(nullptr, QStringLiteral("Can't Setup Tray ICON"));
  EXPECT_TRUE(AskYesNo(nullptr, QStringLiteral("Delete?")));
  EXPECT_FALSE(AskYesNo(nullptr, QStringLiteral("Again?")));  // nothing queued: No
  ShowInformation(nullptr, QStringLiteral("Incorrect Login"));
  ShowPlain(nullptr, QStringLiteral("User Record Deleted"));
  EXPECT_EQ(boxes.Texts(),
            (QStringList{"Can't Setup Tray ICON", "Delete?", "Again?", "Incorrect Login", "User Record Deleted"}));
  ASSERT_EQ(boxes.Boxes().size(), 5u);
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(boxes.Boxes()[1].icon, NoticeIcon::Question);
  EXPECT_EQ(boxes.Boxes()[1].buttons, MessageButtons::YesNo);
  EXPECT_EQ(boxes.Boxes()[3].icon, NoticeIcon::Information);
  EXPECT_EQ(boxes.Boxes()[4].icon, NoticeIcon::None);
  EXPECT_EQ(boxes.UnscriptedQuestions(), 1);
}

TEST(MessageBoxes, NestedScriptsRestoreTheOuterOne) {
  ScriptedMessageBoxes outer;
  {
    ScriptedMessageBoxes inner;
    ShowWarning(nullptr, QStringLiteral("inner"));
    EXPECT_EQ(inner.Texts().size(), 1);
  }
  ShowWarning(nullptr, QStringLiteral("outer"));
  EXPECT_EQ(outer.Texts(), QStringList{"outer"});
}

TEST(MessageBoxes, NoticesOfTheCoreReachTheMessageBoxes) {
  NoticeRecorder fallback;
  ScriptedMessageBoxes boxes;
  {
    MessageBoxNoticeSink sink;
    ShowNotice(NoticeIcon::Warning, "Failed to open Step Data");
    ShowNotice(NoticeIcon::Stop, "Disk full \xe2\x80\x94 nothing was changed");
  }
  ShowNotice(NoticeIcon::None, "after");
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Failed to open Step Data"));
  EXPECT_EQ(boxes.Boxes()[1].text, QString::fromUtf8("Disk full \xe2\x80\x94 nothing was changed"));
  EXPECT_EQ(fallback.Texts(), std::vector<std::string>{"after"});
}

// Answers the next QMessageBox as soon as it is up and reports what it showed.
struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
};

void AnswerNextBox(Seen& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->standardButtons())};
    box->button(press)->click();
  });
}

TEST(MessageBoxes, QtBoxesCarryTheCaptionIconAndButtons) {
  QtMessageBoxes boxes;
  Seen seen;
  AnswerNextBox(seen, QMessageBox::No);
  EXPECT_EQ(boxes.Show(nullptr, NoticeIcon::Question, QStringLiteral("Overwrite?"), MessageButtons::YesNo),
            MessageAnswer::No);
  EXPECT_EQ(seen.title, QStringLiteral("Tempovia"));
  EXPECT_EQ(seen.text, QStringLiteral("Overwrite?"));
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons, static_cast<int>(QMessageBox::Yes | QMessageBox::No));

  AnswerNextBox(seen, QMessageBox::Yes);
  EXPECT_EQ(boxes.Show(nullptr, NoticeIcon::Question, QStringLiteral("Sure?"), MessageButtons::YesNo),
            MessageAnswer::Yes);

  AnswerNextBox(seen, QMessageBox::Ok);
  EXPECT_EQ(boxes.Show(nullptr, NoticeIcon::Warning, QStringLiteral("Help file does not exist"), MessageButtons::Ok),
            MessageAnswer::Ok);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, static_cast<int>(QMessageBox::Ok));

  AnswerNextBox(seen, QMessageBox::Ok);
  boxes.Show(nullptr, NoticeIcon::Information, QStringLiteral("Incorrect Login"), MessageButtons::Ok);
  EXPECT_EQ(seen.icon, QMessageBox::Information);
}

}  // namespace
}  // namespace tempovia
