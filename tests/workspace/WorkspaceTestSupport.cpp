#include "WorkspaceTestSupport.h"

#include "device/WatchScenario.h"
#include "store/UserData.h"

namespace tempovia::test {

namespace {

std::unique_ptr<HidTransport> MakeWatch(Clock& clock, SimulatedWatch*& watch) {
  auto simulated = std::make_unique<SimulatedWatch>(clock, WatchScenario::ForSeed(7, clock.Now().date).Image());
  watch = simulated.get();
  return simulated;
}

}  // namespace

WorkspaceFixture::WorkspaceFixture()
    : host(MakeWatch(clock, m_watch), clock), workspace(paths, clock, host, desktop, dir / "program") {
  EXPECT_TRUE(paths.CreateDataFolder().ok());
}

LocalUserRecord WorkspaceFixture::AddUser(const std::string& name, const std::string& password) {
  UserData& users = workspace.Users();
  UserData own;
  UserData& file = users.IsOpen() ? users : own;
  if (!file.IsOpen()) {
    EXPECT_TRUE(file.Open(paths.UserDatabase()));
  }
  LocalUserRecord user;
  user.name = name;
  user.password = password;
  user.height = 170;
  user.weight = 65;
  EXPECT_TRUE(file.Add(user, paths, clock.Now()).ok());
  return user;
}

void WorkspaceFixture::Plug(bool in) {
  if (in) {
    m_watch->PushPlugIn();
  } else {
    m_watch->PullPlug();
  }
  workspace.OnDeviceChange(
      {in ? kDeviceArrival : kDeviceRemoveComplete, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
}

}  // namespace tempovia::test
