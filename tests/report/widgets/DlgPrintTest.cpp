#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "ReportTestSupport.h"
#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "report/widgets/DlgPrint.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
  return QString::fromStdString(path.string());
}

// A key pressed in a widget, passed on to its parents when it ignores it.
void PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class DlgPrintTest : public testing::Test {
 protected:
  DlgPrintTest() : m_clock(LocalDateTime::From(2008, 3, 5, 16, 45, 10)), m_dialog(nullptr, m_clock) {
    m_dialog.SetOutputFolder(Q(m_dir.Path()));
    m_dialog.SetFolderChooser([this](QWidget* parent, const QString& title, const QString& start) {
      m_chooserCalls.push_back({parent, title, start});
      return m_chosen;
    });
    m_dialog.show();
  }

  template <class T>
  T* Find(const char* name) {
    T* child = m_dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
  QComboBox* List(const char* name) { return Find<QComboBox>(name); }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  bool Open() const { return m_dialog.isVisible(); }

  struct ChooserCall {
    QWidget* parent;
    QString title;
    QString start;
  };

  test::TempDir m_dir;
  FakeClock m_clock;
  ScriptedMessageBoxes m_boxes;
  CDlgPrint m_dialog;
  QString m_chosen;
  std::vector<ChooserCall> m_chooserCalls;
};

TEST_F(DlgPrintTest, OpensOnTodayWithTheHandedInFolderAndNothingToCreateYet) {
  EXPECT_EQ(m_dialog.windowTitle(), "Output PDF File");
  EXPECT_EQ(Edit("folder")->text(), Q(m_dir.Path()));
  EXPECT_EQ(Edit("fileName")->text(), "Exercise Report 2008-Mar-05.pdf");
  for (const char* prefix : {"from", "to"}) {
    const std::string p(prefix);
    EXPECT_EQ(List((p + "Month").c_str())->currentText(), "3");
    EXPECT_EQ(List((p + "Day").c_str())->currentText(), "5");
    EXPECT_EQ(List((p + "Day").c_str())->count(), 31);
    EXPECT_EQ(List((p + "Year").c_str())->currentText(), "2008");
    EXPECT_EQ(List((p + "Year").c_str())->count(), 36);
    EXPECT_FALSE(List((p + "Year").c_str())->isEnabled());
  }
  EXPECT_TRUE(Box("sortDate")->isChecked());
  EXPECT_FALSE(Box("sortDate")->isEnabled());
  EXPECT_TRUE(Box("sortSpeed")->isVisible());
  EXPECT_FALSE(Box("sortHeartRate")->isVisible());
  EXPECT_FALSE(Box("chart")->isChecked());
  EXPECT_FALSE(Box("detailedData")->isChecked());
  EXPECT_FALSE(Button("create")->isEnabled());
  EXPECT_TRUE(Button("browse")->isEnabled());
  EXPECT_TRUE(Button("cancel")->isEnabled());
}

TEST_F(DlgPrintTest, CreateNeedsAPartANameAndAFolder) {
  Box("chart")->click();
  EXPECT_TRUE(Button("create")->isEnabled());
  Edit("fileName")->clear();
  EXPECT_FALSE(Button("create")->isEnabled());
  Edit("fileName")->insert("March");  // typed
  EXPECT_TRUE(Button("create")->isEnabled());
  Edit("folder")->clear();
  EXPECT_FALSE(Button("create")->isEnabled());
  Edit("folder")->setText(Q(m_dir.Path()));
  Box("chart")->click();
  EXPECT_FALSE(Button("create")->isEnabled());
  Box("detailedData")->click();
  EXPECT_TRUE(Button("create")->isEnabled());
  // Enter on a disabled button does nothing.
  Box("detailedData")->click();
  PressKey(Edit("fileName"), Qt::Key_Return);
  EXPECT_TRUE(Open());
  EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(DlgPrintTest, DayListsFollowTheMonthAndDetailedDataOnlyLocksTheRange) {
  Box("detailedData")->click();
  EXPECT_TRUE(List("fromMonth")->isEnabled());
  List("fromDay")->setCurrentIndex(30);   // 31 March
  List("fromMonth")->setCurrentIndex(1);  // February 2008
  EXPECT_EQ(List("fromDay")->count(), 29);
  EXPECT_EQ(List("fromDay")->currentText(), "29");
  EXPECT_EQ(List("toDay")->count(), 31);
  EXPECT_EQ(List("toDay")->currentText(), "5");
  List("fromYear")->setCurrentIndex(9);  // 2009
  EXPECT_EQ(List("fromDay")->count(), 28);
  EXPECT_EQ(List("fromDay")->currentText(), "28");
  Box("sortStep")->click();

  Box("detailedData")->click();
  for (const char* name : {"fromMonth", "fromDay", "fromYear", "toMonth", "toDay", "toYear"})
    EXPECT_FALSE(List(name)->isEnabled()) << name;
  for (const char* name : {"sortDate", "sortStep", "sortSpeed"}) EXPECT_FALSE(Box(name)->isEnabled()) << name;
  EXPECT_EQ(List("fromMonth")->currentText(), "2");
  EXPECT_EQ(List("fromDay")->currentText(), "28");
  EXPECT_EQ(List("fromYear")->currentText(), "2009");
  EXPECT_TRUE(Box("sortStep")->isChecked());
  EXPECT_FALSE(Box("sortDate")->isChecked());
}

TEST_F(DlgPrintTest, SortBoxesActAsOneChoice) {
  Box("detailedData")->click();
  Box("sortStep")->click();
  EXPECT_TRUE(Box("sortStep")->isChecked());
  EXPECT_FALSE(Box("sortDate")->isChecked());
  Box("sortStep")->click();  // clicking the chosen box keeps it chosen
  EXPECT_TRUE(Box("sortStep")->isChecked());
  Box("sortSpeed")->click();
  EXPECT_FALSE(Box("sortStep")->isChecked());
  EXPECT_TRUE(Box("sortSpeed")->isChecked());
  Button("create")->click();
  ASSERT_EQ(m_dialog.result(), CDlgPrint::kOk);
  EXPECT_EQ(m_dialog.GetSortKey(), 3);
}

TEST_F(DlgPrintTest, TheFolderButtonAsksWithItsTitleAndTakesOnlyAChosenFolder) {
  Box("chart")->click();
  Edit("folder")->clear();
  Button("browse")->click();  // nothing chosen
  ASSERT_EQ(m_chooserCalls.size(), 1u);
  EXPECT_EQ(m_chooserCalls[0].title, "Please select a folder to output PDF");
  EXPECT_EQ(m_chooserCalls[0].parent, &m_dialog);
  EXPECT_EQ(Edit("folder")->text(), "");
  EXPECT_FALSE(Button("create")->isEnabled());

  m_chosen = Q(m_dir / "chosen");
  Button("browse")->click();
  EXPECT_EQ(Edit("folder")->text(), m_chosen);
  EXPECT_TRUE(Button("create")->isEnabled());
  Button("browse")->click();
  EXPECT_EQ(m_chooserCalls.back().start, m_chosen);
}

TEST_F(DlgPrintTest, AnExistingFileIsOnlyReplacedAfterYes) {
  test::WriteText(m_dir / "March.pdf", "last month");
  Box("chart")->click();
  Edit("fileName")->setText("March");
  m_boxes.Answer(MessageAnswer::No);
  Button("create")->click();
  EXPECT_TRUE(Open());
  EXPECT_EQ(Edit("fileName")->text(), "March");
  ASSERT_EQ(m_boxes.Boxes().size(), 1u);
  EXPECT_EQ(m_boxes.Boxes()[0].text, "Output File Already Exist\n\nOverwrite ??");
  EXPECT_EQ(m_boxes.Boxes()[0].icon, NoticeIcon::Question);
  EXPECT_EQ(m_boxes.Boxes()[0].buttons, MessageButtons::YesNo);

  m_boxes.Answer(MessageAnswer::Yes);
  Button("create")->click();
  EXPECT_FALSE(Open());
  EXPECT_EQ(m_dialog.result(), CDlgPrint::kOk);
  EXPECT_EQ(m_dialog.GetFileName(), "March.pdf");
  EXPECT_EQ(m_dialog.GetFolder(), Q(m_dir.Path()));
  EXPECT_EQ(test::ReadText(m_dir / "March.pdf"), "last month");
}

TEST_F(DlgPrintTest, AFolderThatCannotTakeTheFileIsRefusedWithTheWarning) {
  Box("chart")->click();
  Edit("folder")->setText(Q(m_dir / "missing"));
  Button("create")->click();
  EXPECT_TRUE(Open());
  ASSERT_EQ(m_boxes.Boxes().size(), 1u);
  EXPECT_EQ(m_boxes.Boxes()[0].text, "Unable to create PDF file\n\nPlease check the folder and filename");
  EXPECT_EQ(m_boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_FALSE(fs::exists(m_dir / "missing"));
}

TEST_F(DlgPrintTest, ConfirmingHandsBackTheChoicesWithTheDatesAtMidnight) {
  Box("chart")->click();
  Box("detailedData")->click();
  List("fromMonth")->setCurrentIndex(0);
  List("fromDay")->setCurrentIndex(14);
  List("fromYear")->setCurrentIndex(7);
  List("toDay")->setCurrentIndex(30);
  Edit("fileName")->setText("Spring Report");
  Button("create")->click();
  ASSERT_EQ(m_dialog.result(), CDlgPrint::kOk);
  EXPECT_TRUE(m_dialog.IsChartSet());
  EXPECT_TRUE(m_dialog.IsDetailSet());
  EXPECT_EQ(m_dialog.GetSortKey(), 0);
  EXPECT_EQ(m_dialog.GetFileName(), "Spring Report.pdf");
  EXPECT_EQ(m_dialog.GetFromDate(), LocalDateTime::From(2007, 1, 15, 0, 0, 0));
  EXPECT_EQ(m_dialog.GetToDate(), LocalDateTime::From(2008, 3, 31, 0, 0, 0));
  // The dialog only checked the folder: the report itself is not there yet.
  EXPECT_TRUE(fs::is_empty(m_dir.Path()));
}

TEST_F(DlgPrintTest, AlsoSaveAsCsvGoesWithDetailedDataAndItsFilesShareTheOverwriteQuestion) {
  EXPECT_FALSE(Box("alsoCsv")->isEnabled());
  EXPECT_FALSE(Box("alsoCsv")->isChecked());
  Box("detailedData")->click();
  ASSERT_TRUE(Box("alsoCsv")->isEnabled());
  Box("alsoCsv")->click();
  test::WriteText(m_dir / "March sessions.csv", "last month");
  Edit("fileName")->setText("March");
  m_boxes.Answer(MessageAnswer::No);
  Button("create")->click();
  EXPECT_TRUE(Open());
  ASSERT_EQ(m_boxes.Boxes().size(), 1u);
  EXPECT_EQ(m_boxes.Boxes()[0].text, "Output File Already Exist\n\nOverwrite ??");

  m_boxes.Answer(MessageAnswer::Yes);
  Button("create")->click();
  EXPECT_EQ(m_dialog.result(), CDlgPrint::kOk);
  EXPECT_TRUE(m_dialog.Options().csv);
  EXPECT_EQ(test::ReadText(m_dir / "March sessions.csv"), "last month");
}

TEST_F(DlgPrintTest, CancelAndEscapeEndWithCancelAndTouchNothing) {
  Box("chart")->click();
  Button("cancel")->click();
  EXPECT_FALSE(Open());
  EXPECT_EQ(m_dialog.result(), CDlgPrint::kCancel);

  CDlgPrint again(nullptr, m_clock);
  again.SetOutputFolder(Q(m_dir.Path()));
  again.show();
  PressKey(&again, Qt::Key_Escape);
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(again.result(), CDlgPrint::kCancel);
  EXPECT_TRUE(fs::is_empty(m_dir.Path()));
  EXPECT_TRUE(m_boxes.Boxes().empty());
}

}  // namespace
}  // namespace tempovia
