#include "workspace/Workspace.h"

#include "workspace/AutoDownload.h"

namespace tempovia {

WatchReturn WhenTheWatchReturns(WindowState state, bool downloadBusy) {
  switch (state) {
    case WindowState::None:
      return WatchReturn::Nothing;
    case WindowState::Login:
    case WindowState::LoginHidden:
    case WindowState::Main:
      return WatchReturn::BringForward;
    case WindowState::MainHidden:
      return downloadBusy ? WatchReturn::Nothing : WatchReturn::LogOut;
  }
  return WatchReturn::Nothing;
}

Workspace::Workspace(const StorePaths& paths, Clock& clock, WatchDriverHost& watch, DesktopPort& desktop,
                     std::filesystem::path programFolder)
    : m_paths(paths), m_clock(clock), m_watch(watch), m_desktop(desktop), m_programFolder(std::move(programFolder)) {
  m_watch.SetListener(this);
}

Workspace::~Workspace() {
  m_watch.SetListener(nullptr);
}

bool Workspace::LoadDataStore() {
  if (const Status folder = m_paths.CreateDataFolder(); !folder) m_desktop.Show(NoticeIcon::Warning, folder.message());
  m_settings.SetPath(m_paths.SettingsFile());
  m_settings.Load();  // a missing or unreadable file gives metric and kilograms
  m_units = {m_settings.distanceUnit == 1, m_settings.weightUnit == 1};
  m_downloadOnPlugIn = LoadAutoDownload(AutoDownloadFile(m_paths));
  m_users.Close();
  const Status opened = OpenUsers();
  if (!opened) m_desktop.Show(NoticeIcon::Warning, opened.message());
  return opened.ok();
}

Status Workspace::OpenUsers() {
  if (m_users.IsOpen()) return Status::Ok();
  const Status opened = m_users.TryOpen(m_paths.UserDatabase());
  return opened ? opened : Status::Error(m_users.OpenFailedText(opened.message()));
}

void Workspace::OnDeviceChange(const DeviceChange& change) {
  m_watch.OnDeviceChange(change);
}

Status Workspace::SetDownloadOnPlugIn(bool on) {
  if (on == m_downloadOnPlugIn) return Status::Ok();
  m_downloadOnPlugIn = on;
  return SaveAutoDownload(AutoDownloadFile(m_paths), on);
}

void Workspace::TrayMissing() {
  if (m_trayMissingShown) return;
  m_trayMissingShown = true;
  m_desktop.Show(NoticeIcon::Warning, "Can't Setup Tray ICON");
}

void Workspace::WatchReturned() {
  if (m_front == nullptr) return;
  switch (WhenTheWatchReturns(m_front->State(), m_front->DownloadBusy())) {
    case WatchReturn::Nothing:
      return;
    case WatchReturn::BringForward:
      m_front->BringForward();
      if (DownloadsByItself(m_downloadOnPlugIn, m_front->State(), m_front->DownloadBusy())) m_front->DownloadByItself();
      return;
    case WatchReturn::LogOut:
      m_front->LogOutUnattended();
      // The watch was plugged in for the next user, not for this one.
      m_watch.Destroy();
      return;
  }
}

}  // namespace tempovia
