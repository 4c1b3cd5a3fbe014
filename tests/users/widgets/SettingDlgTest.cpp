#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "users/widgets/SettingDlg.h"

namespace tempovia {
namespace {

QRadioButton* Option(CSettingDlg& dialog, const char* name) {
  auto* option = dialog.findChild<QRadioButton*>(QString::fromLatin1(name));
  EXPECT_NE(option, nullptr) << name;
  return option;
}

void Press(CSettingDlg& dialog, const char* name) {
  dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

TEST(SettingDlg, ShowsTheHandedInChoices) {
  CSettingDlg dialog;
  dialog.SetDistanceUnit(1);
  dialog.SetWeightUnit(0);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Settings"));
  QStringList groups;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) groups << group->title();
  EXPECT_EQ(groups, (QStringList{QStringLiteral("Length"), QStringLiteral("Weight")}));
  EXPECT_EQ(Option(dialog, "km")->text(), QStringLiteral("km"));
  EXPECT_EQ(Option(dialog, "feets")->text(), QStringLiteral("feets"));
  EXPECT_EQ(Option(dialog, "pound")->text(), QStringLiteral("pound"));
  EXPECT_TRUE(Option(dialog, "feets")->isChecked());
  EXPECT_FALSE(Option(dialog, "km")->isChecked());
  EXPECT_TRUE(Option(dialog, "kg")->isChecked());
  EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("handshake"))->isVisible());
}

TEST(SettingDlg, OkTakesTheOptionsAndCancelReturnsWhatWasHandedIn) {
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    CSettingDlg dialog;
    dialog.SetDistanceUnit(0);
    dialog.SetWeightUnit(1);
    dialog.SetHandshake(false);
    dialog.SetDownloadOnPlugIn(false);
    dialog.show();
    Option(dialog, "feets")->click();
    Option(dialog, "kg")->click();
    auto* download = dialog.findChild<QCheckBox*>(QStringLiteral("downloadOnPlugIn"));
    ASSERT_NE(download, nullptr);
    EXPECT_EQ(download->text(), QStringLiteral("Download when the watch is plugged in"));
    EXPECT_TRUE(download->isVisible());
    download->click();
    // The two groups are independent: choosing kg leaves feet chosen.
    EXPECT_TRUE(Option(dialog, "feets")->isChecked());
    Press(dialog, ok ? "ok" : "cancel");
    EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(dialog.DistanceUnit(), ok ? 1 : 0);
    EXPECT_EQ(dialog.WeightUnit(), ok ? 0 : 1);
    EXPECT_EQ(dialog.DownloadOnPlugIn(), ok);
    EXPECT_FALSE(dialog.Handshake());
  }
}

TEST(SettingDlg, AStrayStoredUnitShowsAsImperialAndSurvivesCancel) {
  CSettingDlg dialog;
  dialog.SetDistanceUnit(7);
  dialog.SetWeightUnit(255);
  EXPECT_TRUE(Option(dialog, "feets")->isChecked());
  EXPECT_TRUE(Option(dialog, "pound")->isChecked());
  Press(dialog, "cancel");
  EXPECT_EQ(dialog.DistanceUnit(), 7);
  EXPECT_EQ(dialog.WeightUnit(), 255);

  CSettingDlg confirmed;
  confirmed.SetDistanceUnit(7);
  Press(confirmed, "ok");
  EXPECT_EQ(confirmed.DistanceUnit(), 1);  // OK always gives 0 or 1
  EXPECT_TRUE(confirmed.Handshake());      // checked unless handed in otherwise
}

}  // namespace
}  // namespace tempovia
