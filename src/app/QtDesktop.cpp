#include "app/QtDesktop.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenu>
#include <QUrl>

#include "app/UploadDlg.h"
#include "calendar/CalendarDays.h"
#include "calendar/widgets/DlgCalendar.h"
#include "report/widgets/DlgPrint.h"
#include "report/widgets/PrntScreen.h"
#include "users/widgets/DlgUserRecord.h"
#include "users/widgets/SettingDlg.h"
#include "users/widgets/VerifyPWDlg.h"
#include "widgets/MessageBoxes.h"

namespace tempovia {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QtDesktop::QtDesktop(const Clock& clock) : m_clock(clock) {}

QtDesktop::~QtDesktop() = default;

void QtDesktop::Show(NoticeIcon icon, const std::string& text) {
  CurrentMessageBoxes().Show(m_window, icon, Utf8(text), MessageButtons::Ok);
}

bool QtDesktop::Ask(NoticeIcon icon, const std::string& question) {
  return CurrentMessageBoxes().Show(m_window, icon, Utf8(question), MessageButtons::YesNo) == MessageAnswer::Yes;
}

std::filesystem::path QtDesktop::ChooseFolder(const std::string& title) {
  const QUrl url = QFileDialog::getExistingDirectoryUrl(m_window, Utf8(title));
  if (url.isEmpty()) return {};
  if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
    CurrentMessageBoxes().Show(m_window, NoticeIcon::Stop, QStringLiteral("Failed to get directory"),
                               MessageButtons::Ok);
    return {};
  }
  return url.toLocalFile().toStdString();
}

void QtDesktop::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void QtDesktop::Post(std::function<void()> fn) {
  QMetaObject::invokeMethod(&m_context, std::move(fn), Qt::QueuedConnection);
}

void QtDesktop::Quit() {
  QMetaObject::invokeMethod(
      qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool QtDesktop::AskUploadChoices(DownloadChoices& choices) {
  CUploadDlg dialog(m_window);
  dialog.SetChoices(choices);
  if (dialog.exec() != QDialog::Accepted) return false;
  choices = dialog.Choices();
  return true;
}

ChartDashboard::CalendarResult QtDesktop::RunCalendar(CalendarDays& days) {
  CDlgCalendar dialog(m_clock, m_window);
  dialog.SetDays(&days);
  const bool ok = dialog.exec() == QDialog::Accepted;
  return ChartDashboard::CalendarResult{ok, dialog.PickedDate()};
}

bool QtDesktop::RunSettings(SettingsChoices& choices) {
  CSettingDlg dialog(m_window);
  dialog.SetDistanceUnit(choices.distanceUnit);
  dialog.SetWeightUnit(choices.weightUnit);
  dialog.SetHandshake(choices.handshake);
  dialog.SetDownloadOnPlugIn(choices.downloadOnPlugIn);
  const bool ok = dialog.exec() == QDialog::Accepted;
  // Cancel leaves the values handed in.
  choices = {dialog.DistanceUnit(), dialog.WeightUnit(), dialog.Handshake(), dialog.DownloadOnPlugIn()};
  return ok;
}

bool QtDesktop::RunEditor(UserEditor& editor) {
  CDlgUserRecord dialog(editor, m_window);
  dialog.SetPhotoChooser([this, &dialog] { return ChoosePhotoFile(&dialog); });
  return dialog.exec() == QDialog::Accepted;
}

QString QtDesktop::ChoosePhotoFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), CDlgUserRecord::kPhotoFilter, nullptr,
                                      QFileDialog::HideNameFilterDetails);
}

std::optional<std::string> QtDesktop::AskPassword() {
  CVerifyPWDlg verify(m_window);
  if (verify.exec() != QDialog::Accepted) return std::nullopt;
  return verify.Password().toStdString();
}

HelpChoice QtDesktop::RunHelpMenu(int x, int y) {
  QMenu menu(m_window);
  QAction* quickStart = menu.addAction(QStringLiteral("Quick Start Manual"));
  QAction* questions = menu.addAction(QStringLiteral("Frequently Asked Questions and Answers"));
  const QPoint corner = m_window != nullptr ? m_window->frameGeometry().topLeft() : QPoint();
  const QAction* chosen = menu.exec(corner + QPoint(x, y));
  if (chosen == quickStart) return HelpChoice::QuickStart;
  if (chosen == questions) return HelpChoice::Questions;
  return HelpChoice::None;
}

bool QtDesktop::OpenDocument(const std::filesystem::path& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
}

std::optional<ReportJob> QtDesktop::AskReport(const std::string& lastFolder) {
  ReportJob job;
  QString captureError;
  if (m_window != nullptr) job.picture = CPrntScreen().CaptureToFile(*m_window, &captureError);
  job.captureError = captureError.toStdString();
  CDlgPrint dialog(m_window, m_clock);
  dialog.SetOutputFolder(QString::fromStdString(lastFolder));
  if (RunReportOptions(dialog) != CDlgPrint::kOk) return std::nullopt;
  job.options = dialog.Options();
  return job;
}

int QtDesktop::RunReportOptions(CDlgPrint& dialog) {
  return dialog.exec();
}

}  // namespace tempovia
