#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <vector>

#include "FakeTrayArea.h"
#include "widgets/Artwork.h"
#include "widgets/TrayNotifyIcon.h"

namespace tempovia {
namespace {

using test::FakeTrayArea;

class TrayNotifyIconTest : public testing::Test {
 protected:
  void SetUp() override {
    m_icon = std::make_unique<CTrayNotifyIcon>(std::make_unique<FakeTrayArea>(m_area));
    QObject::connect(m_icon.get(), &CTrayNotifyIcon::Command, [this](int command) { m_commands.push_back(command); });
  }

  void Click(TrayMouse mouse) {
    ASSERT_TRUE(m_area.handler);
    m_area.handler(mouse);
  }

  FakeTrayArea::State m_area;
  std::unique_ptr<CTrayNotifyIcon> m_icon;
  std::vector<int> m_commands;
  QWidget m_owner;
};

TEST_F(TrayNotifyIconTest, MenuOffersShowHideAndExitWithShowAsTheBoldDefault) {
  ASSERT_TRUE(m_icon->Create(&m_owner, kTrayMenuId, QStringLiteral("Double click to activate Tempovia"), AppIcon()));
  EXPECT_TRUE(m_icon->IsCreated());
  EXPECT_EQ(m_area.toolTip, QStringLiteral("Double click to activate Tempovia"));
  const QList<QAction*> actions = m_icon->Menu()->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Show Tempovia"));
  EXPECT_EQ(actions[1]->text(), QStringLiteral("Hide Tempovia"));
  EXPECT_TRUE(actions[2]->isSeparator());
  EXPECT_EQ(actions[3]->text(), QStringLiteral("Exit"));

  Click(TrayMouse::RightClick);
  EXPECT_TRUE(m_icon->Menu()->isVisible());
  EXPECT_EQ(m_icon->Menu()->defaultAction(), actions[0]);  // QMenu draws its default action bold
  EXPECT_TRUE(m_commands.empty());

  actions[3]->trigger();
  actions[1]->trigger();
  actions[0]->trigger();
  EXPECT_EQ(m_commands, (std::vector<int>{kTrayExitCommand, kTrayHideCommand, kTrayShowCommand}));
  m_icon->Menu()->hide();
}

TEST_F(TrayNotifyIconTest, DoubleClickSendsOneShowAndSingleClicksNothing) {
  ASSERT_TRUE(m_icon->Create(&m_owner, kTrayMenuId, QStringLiteral("tip"), AppIcon()));
  Click(TrayMouse::LeftClick);
  Click(TrayMouse::MiddleClick);
  EXPECT_TRUE(m_commands.empty());
  EXPECT_FALSE(m_icon->Menu()->isVisible());
  // The desktop reports the first click of a double click on its own.
  Click(TrayMouse::LeftClick);
  Click(TrayMouse::LeftDoubleClick);
  EXPECT_EQ(m_commands, std::vector<int>{kTrayShowCommand});
  EXPECT_EQ(m_icon->HandleNotification(kTrayMenuId + 1, TrayMouse::LeftDoubleClick), 0);  // another icon's
  EXPECT_EQ(m_icon->HandleNotification(kTrayMenuId, TrayMouse::LeftClick), 1);
  EXPECT_EQ(m_commands.size(), 1u);
}

TEST_F(TrayNotifyIconTest, HideShowAndDestroyAddAndRemoveTheIconOnce) {
  ASSERT_TRUE(m_icon->Create(&m_owner, kTrayMenuId, QStringLiteral("tip"), AppIcon()));
  EXPECT_EQ(m_area.adds, 1);
  m_icon->Hide();
  m_icon->Hide();
  EXPECT_TRUE(m_icon->IsHidden());
  EXPECT_EQ(m_area.removes, 1);
  m_icon->Show();
  m_icon->Show();
  EXPECT_EQ(m_area.adds, 2);
  EXPECT_TRUE(m_area.shown);
  m_icon.reset();  // destroying the object takes the icon away
  EXPECT_FALSE(m_area.shown);
}

TEST_F(TrayNotifyIconTest, CreateFailsWithoutANotificationArea) {
  m_area.available = false;
  EXPECT_FALSE(m_icon->Create(&m_owner, kTrayMenuId, QStringLiteral("tip"), AppIcon()));
  EXPECT_FALSE(m_icon->IsCreated());
  m_icon->Hide();  // nothing to hide
  EXPECT_EQ(m_area.removes, 0);
}

TEST(TrayNotifyIcon, TheOffscreenDesktopHasNoTray) {
  QWidget owner;
  CTrayNotifyIcon icon;
  EXPECT_FALSE(icon.Create(&owner, kTrayMenuId, QStringLiteral("Double click to activate Tempovia"), AppIcon()));
  EXPECT_FALSE(icon.IsCreated());
}

}  // namespace
}  // namespace tempovia
