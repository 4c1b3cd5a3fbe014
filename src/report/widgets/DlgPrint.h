#pragma once
// "Output PDF File": the report options dialog. The user picks the parts of
// the report, the date range and order of the detailed tables, the folder and
// the file name; "Create PDF File" ends it only once the file can be written
// (and an existing one may be replaced). The rules live in ReportOptions and
// ReportTarget; this window copies its controls in and shows the result.

#include <QDialog>
#include <QString>
#include <functional>

#include "base/Clock.h"
#include "report/ReportOptions.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tempovia {

class CDlgPrint : public QDialog {
 public:
  // Modal results.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  // Asks for a folder: (parent, title, starting folder) -> the chosen folder,
  // empty when none was chosen. Tests install one that answers at once.
  using FolderChooser = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

  explicit CDlgPrint(QWidget* parent = nullptr, const Clock& clock = SystemClockInstance());
  ~CDlgPrint() override;

  // Before the dialog runs: the folder to start from (the last report
  // folder); the desktop is used when it is empty.
  void SetOutputFolder(const QString& folder);
  void SetFolderChooser(FolderChooser chooser);

  // After the dialog ended with kOk.
  QString GetFolder() const;
  QString GetFileName() const;  // ends in ".pdf"
  LocalDateTime GetFromDate() const { return m_fromDate; }
  LocalDateTime GetToDate() const { return m_toDate; }
  bool IsChartSet() const { return m_options.chart; }
  bool IsDetailSet() const { return m_options.detail; }
  int GetSortKey() const { return SortKey(m_options); }
  const ReportOptions& Options() const { return m_options; }

  // The desktop folder, or the home folder where there is no desktop folder.
  static QString DesktopFolder();

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QGroupBox* BuildRange();
  QGroupBox* BuildSort();
  void Connect();
  // Fills the fields and the lists the first time the dialog shows.
  void Prepare();
  void ReadControls();
  void ShowValues();
  void ApplyEnableRules();
  void FillDayLists();
  void OnRangeChanged();
  void OnSortClicked(SortBox box);
  void OnBrowse();
  void OnCreate();

  const Clock& m_clock;
  ReportOptions m_options;
  LocalDateTime m_fromDate;
  LocalDateTime m_toDate;
  FolderChooser m_chooser;
  bool m_prepared = false;

  QCheckBox* m_chart = nullptr;
  QCheckBox* m_detail = nullptr;
  QComboBox* m_fromMonth = nullptr;
  QComboBox* m_fromDay = nullptr;
  QComboBox* m_fromYear = nullptr;
  QComboBox* m_toMonth = nullptr;
  QComboBox* m_toDay = nullptr;
  QComboBox* m_toYear = nullptr;
  QCheckBox* m_sortDate = nullptr;
  QCheckBox* m_sortHeartRate = nullptr;
  QCheckBox* m_sortStep = nullptr;
  QCheckBox* m_sortSpeed = nullptr;
  QLineEdit* m_folder = nullptr;
  QPushButton* m_browse = nullptr;
  QLineEdit* m_fileName = nullptr;
  QCheckBox* m_csv = nullptr;
  QPushButton* m_create = nullptr;
  QPushButton* m_cancel = nullptr;
};

}  // namespace tempovia
