#pragma once
// A run of the program without windows: a base folder, the watch simulator
// without its pauses, a scripted desktop and the workspace on them; and
// views that keep what they are told.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DashboardTestSupport.h"
#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "device/SimulatedWatch.h"
#include "store/StorePaths.h"
#include "workspace/LoginPresenter.h"
#include "workspace/MainPresenter.h"
#include "workspace/Workspace.h"
#include "workspace/testing/ScriptedDesktop.h"

namespace tempovia::test {

// Keeps what a window was told to do with itself.
template <class View>
class RecordingWindow : public View {
 public:
  bool IsHidden() const override { return hidden; }
  void BringForward() override {
    hidden = false;
    minimised = false;
    ++broughtForward;
  }
  void Hide() override { hidden = true; }
  void Minimise() override { minimised = true; }
  void End(int result) override { ended = result; }

  bool hidden = false;
  bool minimised = false;
  int broughtForward = 0;
  std::optional<int> ended;
};

class RecordingLoginView final : public RecordingWindow<LoginView> {
 public:
  void ShowUserName(const std::string& text) override { name = text; }
  void ClearPassword() override { ++cleared; }
  void FocusPassword() override {}
  void StartHidden(bool hide) override {
    minimised = true;
    hidden = hide;
  }

  std::string name;
  int cleared = 0;
};

class RecordingMainView final : public RecordingWindow<RecordingDashboardView<MainView>> {
 public:
  void SetUserPanel(const UserPanelTexts& texts) override { panel = texts; }
  void SetPhoto(const std::optional<std::filesystem::path>& file) override { photo = file; }
  void SetProgressVisible(bool visible) override { progressVisible = visible; }
  void SetProgressText(const std::string& text) override { progressText = text; }
  void SetProgressPercent(int percent) override { progressPercent = percent; }
  bool IsMinimised() const override { return minimised; }
  bool Notify(const DesktopNotification& notification) override {
    notifications.push_back(notification);
    return notificationsTaken;
  }

  UserPanelTexts panel;
  std::optional<std::filesystem::path> photo;
  bool progressVisible = false;
  std::string progressText;
  int progressPercent = -1;
  std::vector<DesktopNotification> notifications;
  bool notificationsTaken = true;
};

// The base folder, the watch and the workspace of one run.
class WorkspaceFixture : public ::testing::Test {
 protected:
  WorkspaceFixture();

  // A user with a password and the files AddNew makes; the stored record.
  LocalUserRecord AddUser(const std::string& name, const std::string& password);
  SimulatedWatch& Watch() { return *m_watch; }
  // The device monitor's notice of the simulated watch coming or going.
  void Plug(bool in);

  TempDir dir;
  StorePaths paths{dir.Path()};
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  ScriptedDesktop desktop;

 private:
  SimulatedWatch* m_watch = nullptr;

 protected:
  WatchDriverHost host;
  Workspace workspace;
};

}  // namespace tempovia::test
