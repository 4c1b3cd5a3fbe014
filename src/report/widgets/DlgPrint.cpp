#include "report/widgets/DlgPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "report/ReportTarget.h"
#include "widgets/MessageBoxes.h"
#include "widgets/QtText.h"

namespace tempovia {
namespace {

constexpr char kFolderChooserTitle[] = "Please select a folder to output PDF";

void Fill(QComboBox* list, const std::vector<std::string>& entries) {
  const QSignalBlocker quiet(list);
  list->clear();
  for (const std::string& entry : entries) list->addItem(FromUtf8(entry));
}

QComboBox* MakeList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  // Room for "2035" in every list, so the three stay aligned between rows.
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  list->setMinimumContentsLength(4);
  return list;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* text, const char* name) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QLatin1String(name));
  return box;
}

void Select(QComboBox* list, int entry) {
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(entry);
}

void SetChecked(QCheckBox* box, bool checked) {
  const QSignalBlocker quiet(box);
  box->setChecked(checked);
}

void SetText(QLineEdit* edit, const std::string& text) {
  const QString shown = FromUtf8(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

QString DefaultChooser(QWidget* parent, const QString& title, const QString& start) {
  return QFileDialog::getExistingDirectory(parent, title, start);
}

}  // namespace

CDlgPrint::CDlgPrint(QWidget* parent, const Clock& clock)
    : QDialog(parent), m_clock(clock), m_chooser(&DefaultChooser) {
  setWindowTitle(QStringLiteral("Output PDF File"));
  BuildControls();
}

CDlgPrint::~CDlgPrint() = default;

void CDlgPrint::BuildControls() {
  m_chart = MakeCheckBox(this, "Chart", "chart");
  m_detail = MakeCheckBox(this, "Detailed Data", "detailedData");
  auto* parts = new QHBoxLayout;
  parts->addWidget(m_chart);
  parts->addSpacing(24);
  parts->addWidget(m_detail);
  parts->addStretch(1);

  QGroupBox* range = BuildRange();
  QGroupBox* sort = BuildSort();

  auto* folderLabel = new QLabel(QStringLiteral("Output Folder"), this);
  m_folder = new QLineEdit(this);
  m_folder->setObjectName(QStringLiteral("folder"));
  m_folder->setMinimumWidth(fontMetrics().averageCharWidth() * 52);
  folderLabel->setBuddy(m_folder);
  m_browse = new QPushButton(QStringLiteral("..."), this);
  m_browse->setObjectName(QStringLiteral("browse"));
  m_browse->setToolTip(QString::fromLatin1(kFolderChooserTitle));
  m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 28);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(m_folder, 1);
  folderRow->addWidget(m_browse);

  auto* fileLabel = new QLabel(QStringLiteral("Output PDF File Name"), this);
  m_fileName = new QLineEdit(this);
  m_fileName->setObjectName(QStringLiteral("fileName"));
  fileLabel->setBuddy(m_fileName);
  m_csv = MakeCheckBox(this, "Also save as CSV", "alsoCsv");
  m_csv->setToolTip(QStringLiteral("The detailed rows also go to \"<name> days.csv\" and \"<name> sessions.csv\""));

  auto* buttons = new QDialogButtonBox(this);
  m_create = buttons->addButton(QStringLiteral("Create PDF File"), QDialogButtonBox::AcceptRole);
  m_create->setObjectName(QStringLiteral("create"));
  m_create->setDefault(true);
  m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  m_cancel->setObjectName(QStringLiteral("cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(parts);
  layout->addWidget(range);
  layout->addWidget(sort);
  layout->addSpacing(4);
  layout->addWidget(folderLabel);
  layout->addLayout(folderRow);
  layout->addWidget(fileLabel);
  layout->addWidget(m_fileName);
  layout->addWidget(m_csv);
  layout->addSpacing(8);
  layout->addStretch(1);
  layout->addWidget(buttons);
  // Opens at the size of its content; wider only shows more of a long folder.
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  Fill(m_fromMonth, MonthEntries());
  Fill(m_toMonth, MonthEntries());
  Fill(m_fromYear, YearEntries());
  Fill(m_toYear, YearEntries());
  Connect();
}

QGroupBox* CDlgPrint::BuildRange() {
  auto* range = new QGroupBox(QStringLiteral("Range"), this);
  auto* rangeGrid = new QGridLayout(range);
  m_fromMonth = MakeList(range, "fromMonth");
  m_fromDay = MakeList(range, "fromDay");
  m_fromYear = MakeList(range, "fromYear");
  m_toMonth = MakeList(range, "toMonth");
  m_toDay = MakeList(range, "toDay");
  m_toYear = MakeList(range, "toYear");
  const struct {
    const char* caption;
    QComboBox* month;
    QComboBox* day;
    QComboBox* year;
  } rows[] = {{"From", m_fromMonth, m_fromDay, m_fromYear}, {"To", m_toMonth, m_toDay, m_toYear}};
  for (int r = 0; r < 2; ++r) {
    rangeGrid->addWidget(new QLabel(QString::fromLatin1(rows[r].caption), range), r, 0);
    int column = 1;
    for (const auto& [caption, list] :
         {std::pair{"Month", rows[r].month}, std::pair{"Day", rows[r].day}, std::pair{"Year", rows[r].year}}) {
      auto* label = new QLabel(QString::fromLatin1(caption), range);
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      label->setBuddy(list);
      rangeGrid->addWidget(label, r, column++);
      rangeGrid->addWidget(list, r, column++);
    }
  }
  rangeGrid->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("From")) + 12);
  rangeGrid->setColumnStretch(7, 1);
  return range;
}

QGroupBox* CDlgPrint::BuildSort() {
  auto* sort = new QGroupBox(QStringLiteral("Sort"), this);
  auto* sortRow = new QHBoxLayout(sort);
  m_sortDate = MakeCheckBox(sort, "Date", "sortDate");
  m_sortStep = MakeCheckBox(sort, "Step", "sortStep");
  m_sortSpeed = MakeCheckBox(sort, "Speed", "sortSpeed");
  // The report can sort by heart rate, but the choice is not offered.
  m_sortHeartRate = MakeCheckBox(sort, "Heart Rate", "sortHeartRate");
  m_sortHeartRate->hide();
  for (QCheckBox* box : {m_sortDate, m_sortStep, m_sortSpeed, m_sortHeartRate}) sortRow->addWidget(box);
  sortRow->addStretch(1);
  return sort;
}

void CDlgPrint::Connect() {
  connect(m_chart, &QCheckBox::clicked, this, [this] { ApplyEnableRules(); });
  connect(m_detail, &QCheckBox::clicked, this, [this] { ApplyEnableRules(); });
  for (QComboBox* list : {m_fromMonth, m_fromYear, m_toMonth, m_toYear})
    connect(list, &QComboBox::currentIndexChanged, this, [this] { OnRangeChanged(); });
  connect(m_sortDate, &QCheckBox::clicked, this, [this] { OnSortClicked(SortBox::Date); });
  connect(m_sortHeartRate, &QCheckBox::clicked, this, [this] { OnSortClicked(SortBox::HeartRate); });
  connect(m_sortStep, &QCheckBox::clicked, this, [this] { OnSortClicked(SortBox::Step); });
  connect(m_sortSpeed, &QCheckBox::clicked, this, [this] { OnSortClicked(SortBox::Speed); });
  connect(m_fileName, &QLineEdit::textChanged, this, [this] { ApplyEnableRules(); });
  // Typing in the folder field counts as much as choosing one.
  connect(m_folder, &QLineEdit::textChanged, this, [this] { ApplyEnableRules(); });
  connect(m_browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(m_create, &QPushButton::clicked, this, [this] { OnCreate(); });
  connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void CDlgPrint::SetOutputFolder(const QString& folder) {
  if (m_prepared) ReadControls();
  m_options.folder = ToUtf8(folder);
  if (!m_prepared) return;
  ShowValues();
  ApplyEnableRules();
}

void CDlgPrint::SetFolderChooser(FolderChooser chooser) {
  m_chooser = chooser ? std::move(chooser) : FolderChooser(&DefaultChooser);
}

QString CDlgPrint::GetFolder() const {
  return FromUtf8(m_options.folder);
}

QString CDlgPrint::GetFileName() const {
  return FromUtf8(m_options.fileName);
}

QString CDlgPrint::DesktopFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QDir(desktop).exists()) return desktop;
  return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

void CDlgPrint::reject() {
  done(kCancel);
}

void CDlgPrint::showEvent(QShowEvent* event) {
  if (!m_prepared) Prepare();
  QDialog::showEvent(event);
}

void CDlgPrint::Prepare() {
  m_prepared = true;
  OpenReportOptions(m_options, m_clock, ToUtf8(DesktopFolder()));
  FillDayLists();
  ShowValues();
  ApplyEnableRules();
  m_fileName->setFocus();
}

void CDlgPrint::ReadControls() {
  m_options.chart = m_chart->isChecked();
  m_options.detail = m_detail->isChecked();
  m_options.from = DateEntries{m_fromMonth->currentIndex(), m_fromDay->currentIndex(), m_fromYear->currentIndex()};
  m_options.to = DateEntries{m_toMonth->currentIndex(), m_toDay->currentIndex(), m_toYear->currentIndex()};
  m_options.sortDate = m_sortDate->isChecked();
  m_options.sortHeartRate = m_sortHeartRate->isChecked();
  m_options.sortStep = m_sortStep->isChecked();
  m_options.sortSpeed = m_sortSpeed->isChecked();
  m_options.folder = ToUtf8(m_folder->text());
  m_options.fileName = ToUtf8(m_fileName->text());
  m_options.csv = m_csv->isChecked();
}

void CDlgPrint::ShowValues() {
  SetChecked(m_chart, m_options.chart);
  SetChecked(m_detail, m_options.detail);
  Select(m_fromMonth, m_options.from.month);
  Select(m_fromYear, m_options.from.year);
  Select(m_fromDay, m_options.from.day);
  Select(m_toMonth, m_options.to.month);
  Select(m_toYear, m_options.to.year);
  Select(m_toDay, m_options.to.day);
  SetChecked(m_sortDate, m_options.sortDate);
  SetChecked(m_sortHeartRate, m_options.sortHeartRate);
  SetChecked(m_sortStep, m_options.sortStep);
  SetChecked(m_sortSpeed, m_options.sortSpeed);
  SetText(m_folder, m_options.folder);
  SetText(m_fileName, m_options.fileName);
  SetChecked(m_csv, m_options.csv);
}

void CDlgPrint::ApplyEnableRules() {
  ReadControls();
  const ReportEnabled enabled = EnabledControls(m_options);
  for (QComboBox* list : {m_fromMonth, m_fromDay, m_fromYear, m_toMonth, m_toDay, m_toYear})
    list->setEnabled(enabled.range);
  for (QCheckBox* box : {m_sortDate, m_sortHeartRate, m_sortStep, m_sortSpeed}) box->setEnabled(enabled.sort);
  m_csv->setEnabled(enabled.csv);
  m_browse->setEnabled(enabled.browse);
  m_create->setEnabled(enabled.create);
}

void CDlgPrint::FillDayLists() {
  KeepDaysInMonth(m_options);
  Fill(m_fromDay, DayEntries(DayCount(m_options.from)));
  Fill(m_toDay, DayEntries(DayCount(m_options.to)));
  Select(m_fromDay, m_options.from.day);
  Select(m_toDay, m_options.to.day);
}

void CDlgPrint::OnRangeChanged() {
  ReadControls();
  FillDayLists();
}

void CDlgPrint::OnSortClicked(SortBox box) {
  ReadControls();
  ClickSortBox(m_options, box);
  ShowValues();
}

void CDlgPrint::OnBrowse() {
  const QString chosen = m_chooser(this, QString::fromLatin1(kFolderChooserTitle), m_folder->text());
  if (chosen.isEmpty()) return;
  ReadControls();
  m_options.folder = ToUtf8(QDir::toNativeSeparators(chosen));
  ShowValues();
  ApplyEnableRules();
}

void CDlgPrint::OnCreate() {
  ReadControls();
  if (!EnabledControls(m_options).create) return;  // Enter while the button is disabled
  const ConfirmResult result = ConfirmReportOptions(
      m_options, [this](const std::string& question) { return AskYesNo(this, FromUtf8(question)); });
  if (!result.accepted) {
    if (!result.warning.empty()) ShowWarning(this, FromUtf8(result.warning));
    return;
  }
  m_fromDate = EntriesToDate(m_options.from);
  m_toDate = EntriesToDate(m_options.to);
  done(kOk);
}

}  // namespace tempovia
