#pragma once
// The main window of a logged-in user: the skin of the chart kind shown, its
// buttons as areas of the picture, the day summary, the user panel with the
// photo, the day note, and the chart or the exercise table below.
//
// A view of MainPresenter: it forwards clicks, keys, ticks and tray commands
// there and shows what it is told. It ends with 2 for logout (or Escape),
// 57665 for the tray's Exit and 1 for Enter outside the note; EXIT, the
// close box and minimising hide it to the tray instead.

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

#include "app/ModalLoop.h"
#include "base/Version.h"
#include "skin/SkinLayout.h"
#include "skin/WindowCommands.h"
#include "widgets/SkinDrag.h"
#include "widgets/TrayArea.h"
#include "workspace/MainPresenter.h"

namespace tempovia {

class AppContext;
class CBarChart;
class CCopyFileDlg;
class CDayNoteEdit;
class CExStatic;
class CHitAreaButton;
class CLabel;
class CTrayNotifyIcon;

class CDlgMain : public QDialog, public MainView {
  Q_OBJECT

 public:
  static constexpr int kTimerMs = 50;
  static constexpr const char* kVersion = kProgramVersion;

  // Without a tray area the desktop's own notification area is used.
  explicit CDlgMain(AppContext& app, std::unique_ptr<TrayArea> trayArea = nullptr, QWidget* parent = nullptr);
  ~CDlgMain() override;

  // Before any login, once per window: the data folder, the user database
  // and the unit settings (the workspace's).
  bool LoadDataStore();
  // Everything the window does when it opens, in its order; exec() runs it.
  void Start();
  // Runs until the window ends (LOGOUT, Escape, Enter, Exit), also while it
  // is hidden in the notification area.
  int exec() override;
  void done(int result) override;

  MainPresenter& Presenter() { return m_presenter; }
  ChartDashboard& Dashboard() { return m_presenter.Dashboard(); }
  DownloadWorkflow& Download() { return m_presenter.Download(); }

  // The window's parts, for tests and the preview.
  CBarChart& Chart() const { return *m_chart; }
  CLabel& SummaryLabel(int row) const { return *m_summary[static_cast<std::size_t>(row)]; }
  CLabel& InfoValue(int row) const { return *m_infoValues[static_cast<std::size_t>(row)]; }
  CLabel& InfoCaption(int row) const { return *m_infoCaptions[static_cast<std::size_t>(row)]; }
  CLabel& UserValue(int row) const { return *m_userValues[static_cast<std::size_t>(row)]; }
  CLabel& VersionLabel() const { return *m_version; }
  CLabel& ExerciseCell(int row, int column) const {
    return *m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  CExStatic& Photo() const { return *m_photo; }
  CExStatic& Background(ChartKind kind) const { return *m_backgrounds[static_cast<std::size_t>(kind)]; }
  CDayNoteEdit& NoteField() const { return *m_note; }
  CCopyFileDlg& ProgressDialog() const { return *m_progress; }
  CTrayNotifyIcon& Tray() const { return *m_tray; }
  CHitAreaButton& AreaButton(int area) const { return *m_areaButtons[static_cast<std::size_t>(area)]; }
  bool ProgressVisible() const { return m_progressVisible; }
  bool Dragging() const { return m_drag.Dragging(); }

  // DashboardView
  void ShowKind(ChartKind kind) override;
  void SetDateCaption(const std::string& text) override;
  void SetSummary(const SummaryTexts& texts) override;
  void SetInfo(const InfoTexts& texts) override;
  void SetExerciseTable(const ExerciseTableTexts& cells) override;
  void SetNote(const std::string& utf8) override;
  std::string Note() const override;
  bool AskWarning(const std::string& question) override;
  // MainView
  void SetUserPanel(const UserPanelTexts& texts) override;
  void SetPhoto(const std::optional<std::filesystem::path>& file) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressText(const std::string& text) override;
  void SetProgressPercent(int percent) override;
  bool IsHidden() const override { return isHidden(); }
  bool IsMinimised() const override { return isMinimized(); }
  bool Notify(const DesktopNotification& notification) override;
  void BringForward() override;
  void Hide() override;
  void Minimise() override { showMinimized(); }
  void End(int result) override { done(result); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildControls();
  void BuildShortcuts();
  void OnTimer();
  // A click on an area (or its key or button): the point is where HELP opens.
  void RunArea(int area, bool held, QPoint at);

  AppContext& m_app;
  CBarChart* m_chart;  // children of the window from here on
  std::array<CExStatic*, 5> m_backgrounds{};
  std::array<CLabel*, kSummaryRows.size()> m_summary{};
  std::array<CLabel*, kInfoRows.size()> m_infoCaptions{};
  std::array<CLabel*, kInfoRows.size()> m_infoValues{};
  std::array<CLabel*, 8> m_userCaptions{};
  std::array<CLabel*, 8> m_userValues{};
  CLabel* m_version = nullptr;
  CExStatic* m_photo = nullptr;
  CDayNoteEdit* m_note = nullptr;
  std::array<std::array<CLabel*, kExerciseColumns>, kExerciseRows> m_cells{};
  std::array<CHitAreaButton*, kMainAreaCount> m_areaButtons{};
  CCopyFileDlg* m_progress = nullptr;
  std::unique_ptr<CTrayNotifyIcon> m_tray;
  QTimer m_timer;
  bool m_progressVisible = false;
  ModalLoop m_modal;
  SkinDrag m_drag;
  MainPresenter m_presenter;
};

}  // namespace tempovia
