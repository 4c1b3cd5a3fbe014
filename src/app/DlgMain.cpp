#include "app/DlgMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <QWindow>
#include <filesystem>

#include "app/AppContext.h"
#include "app/CopyFileDlg.h"
#include "app/DayNoteEdit.h"
#include "app/HitAreaButton.h"
#include "app/MainShortcuts.h"
#include "app/WindowPlace.h"
#include "charts/widgets/BarChart.h"
#include "widgets/Artwork.h"
#include "widgets/DesktopNotifier.h"
#include "widgets/ExStatic.h"
#include "widgets/Label.h"
#include "widgets/MessageBoxes.h"
#include "widgets/QtText.h"
#include "widgets/TrayNotifyIcon.h"

namespace tempovia {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

QPoint CentreOf(int area) {
  const HitRect& r = kMainAreas[static_cast<std::size_t>(area)];
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

CLabel* PlaceLabel(QWidget* parent, const Box& box, Rgb background, Rgb text, int size, bool bold,
                   Qt::Alignment alignment) {
  auto* label = new CLabel(parent);
  label->setGeometry(box.x, box.y, box.width, box.height);
  label->SetBkColor(background);
  label->SetTextColor(text);
  if (size > 0) label->SetFontSize(size);
  label->SetFontBold(bold);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setWordWrap(false);
  // The window hit-tests its areas itself, labels included.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

}  // namespace

CDlgMain::CDlgMain(AppContext& app, std::unique_ptr<TrayArea> trayArea, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_app(app),
      m_chart(new CBarChart(this)),
      m_tray(std::make_unique<CTrayNotifyIcon>(std::move(trayArea))),
      m_presenter(app.Work(), *this, *m_chart) {
  setWindowTitle(QStringLiteral("Tempovia"));
  setWindowIcon(AppIcon());
  setFixedSize(kMainWidth, kMainHeight);
  setMouseTracking(true);
  setAccessibleName(QStringLiteral("Tempovia"));
  m_chart->hide();
  connect(m_tray.get(), &CTrayNotifyIcon::Command, this, [this](int command) { m_presenter.TrayCommand(command); });
  connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

CDlgMain::~CDlgMain() {
  // Ended by a signal (the session closing), nobody can be asked.
  m_presenter.Ended();
  m_timer.stop();
  if (m_app.Desktop().Window() == this) m_app.Desktop().SetWindow(nullptr);
}

bool CDlgMain::LoadDataStore() {
  return m_app.Work().LoadDataStore();
}

int CDlgMain::exec() {
  Start();
  return m_modal.Run(*this);
}

void CDlgMain::Start() {
  if (m_presenter.Started()) return;
  m_app.Desktop().SetWindow(this);
  // The notification area first: without it the window must never hide.
  const bool trayCreated = CreateWindowTray(*m_tray, *this);
  // Built only now: the window is made before the login and may never show.
  BuildControls();
  m_version->setText(QStringLiteral("V ") + QString::fromLatin1(kVersion));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(kMainWidth / 2, kMainHeight / 2));
  }
  m_timer.start(kTimerMs);
  m_presenter.Start(trayCreated);
}

void CDlgMain::done(int result) {
  m_presenter.Ended();
  m_timer.stop();
  QDialog::done(result);
  m_modal.End();
}

void CDlgMain::BuildControls() {
  for (ChartKind kind : kAllChartKinds) {
    auto* background = new CExStatic(this);
    background->setGeometry(0, 0, kMainWidth, kMainHeight);
    background->LoadPicture(SkinPicture(kind));
    background->setAttribute(Qt::WA_TransparentForMouseEvents);
    background->lower();
    background->hide();
    m_backgrounds[static_cast<std::size_t>(kind)] = background;
  }
  for (int row = 0; row < kExerciseRows; ++row) {
    for (int column = 0; column < kExerciseColumns; ++column) {
      CLabel* cell = PlaceLabel(this, ExerciseCellBox(row, column), kWhite, kBlack, 11, false, Qt::AlignHCenter);
      cell->SetFontName(QStringLiteral("Arial"));
      cell->hide();
      m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = cell;
    }
  }
  m_progress = new CCopyFileDlg(this);
  m_progress->hide();
  m_chart->Create(QRect(kChartBox.x, kChartBox.y, kChartBox.width, kChartBox.height), this, kChartControlId, QString());
  m_chart->hide();
  for (std::size_t i = 0; i < kSummaryRows.size(); ++i) {
    const SummaryRow& row = kSummaryRows[i];
    m_summary[i] = PlaceLabel(this, row.label, row.background, row.text, row.fontSize, true, Qt::AlignRight);
    m_summary[i]->setAccessibleName(QString::fromLatin1(row.caption));
  }
  for (std::size_t i = 0; i < kInfoRows.size(); ++i) {
    const InfoRow& row = kInfoRows[i];
    m_infoCaptions[i] = PlaceLabel(this, row.captionBox, row.background, kBlack, 0, true, Qt::AlignLeft);
    m_infoCaptions[i]->setText(QString::fromLatin1(row.caption));
    m_infoValues[i] = PlaceLabel(this, row.valueBox, row.background, kBlack, 0, true, Qt::AlignRight);
    m_infoValues[i]->setAccessibleName(QString::fromLatin1(row.caption).trimmed());
  }
  for (int i = 0; i < 8; ++i) {
    const auto index = static_cast<std::size_t>(i);
    m_userCaptions[index] =
        PlaceLabel(this, UserCaptionBox(i), kWhite, kUserCaptionText, kUserFontSize, true, Qt::AlignLeft);
    m_userCaptions[index]->setText(QString::fromLatin1(kUserCaptions[index]));
    m_userValues[index] = PlaceLabel(this, UserValueBox(i), kWhite, kBlack, kUserFontSize, true, Qt::AlignLeft);
    m_userValues[index]->setAccessibleName(QString::fromLatin1(kUserCaptions[index]).trimmed());
  }
  m_version = PlaceLabel(this, kMainVersionBox, kVersionBackground, kWhite, kVersionFontSize, false, Qt::AlignLeft);
  m_photo = new CExStatic(this);
  m_photo->setGeometry(kPhotoBox.x, kPhotoBox.y, kPhotoBox.width, kPhotoBox.height);
  m_photo->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_photo->setAccessibleName(QStringLiteral("Photo"));
  m_note = new CDayNoteEdit(this);
  m_note->setGeometry(kDayNoteBox.x, kDayNoteBox.y, kDayNoteBox.width, kDayNoteBox.height);
  connect(m_note, &CDayNoteEdit::Edited, this, [this] { m_presenter.NoteEdited(); });
  BuildShortcuts();
}

void CDlgMain::BuildShortcuts() {
  for (const MainShortcut& shortcut : MainShortcuts()) {
    auto* button = new CHitAreaButton(shortcut.area, kMainAreas[static_cast<std::size_t>(shortcut.area)], shortcut.name,
                                      shortcut.keys.toString(QKeySequence::NativeText), this);
    connect(button, &QAbstractButton::clicked, this,
            [this, area = shortcut.area] { RunArea(area, false, CentreOf(area)); });
    m_areaButtons[static_cast<std::size_t>(shortcut.area)] = button;
    auto* keys = new QShortcut(shortcut.keys, this);
    connect(keys, &QShortcut::activated, this, [this, area = shortcut.area] {
      if (!MainAreaActive(area, m_presenter.Dashboard().Kind())) return;
      RunArea(area, false, CentreOf(area));
    });
  }
  auto* exit = new QShortcut(ExitProgramKeys(), this);
  connect(exit, &QShortcut::activated, this, [this] { m_presenter.ExitProgram(); });
}

// ---------------------------------------------------------------- views

void CDlgMain::ShowKind(ChartKind kind) {
  for (ChartKind each : kAllChartKinds) m_backgrounds[static_cast<std::size_t>(each)]->setVisible(each == kind);
  const bool table = kind == ChartKind::ExerciseWalking;
  for (auto& row : m_cells) {
    for (CLabel* cell : row) cell->setVisible(table);
  }
  for (CHitAreaButton* button : m_areaButtons) button->setVisible(MainAreaActive(button->Area(), kind));
  m_version->SetBkColor(kVersionBackground);
  m_version->SetTextColor(kWhite);
}

void CDlgMain::SetDateCaption(const std::string& text) {
  m_summary[0]->setText(Utf8(text));
}

void CDlgMain::SetSummary(const SummaryTexts& texts) {
  m_summary[1]->setText(Utf8(texts.steps));
  m_summary[2]->setText(Utf8(texts.distance));
  m_summary[3]->setText(Utf8(texts.calories));
  m_summary[4]->setText(Utf8(texts.heartRate));
  m_summary[5]->setText(Utf8(texts.exercise));
}

void CDlgMain::SetInfo(const InfoTexts& texts) {
  m_infoValues[1]->setText(Utf8(texts.fatBurnt));
  m_infoValues[2]->setText(Utf8(texts.averageSpeed));
}

void CDlgMain::SetExerciseTable(const ExerciseTableTexts& cells) {
  for (std::size_t r = 0; r < cells.size(); ++r) {
    for (std::size_t c = 0; c < cells[r].size(); ++c) m_cells[r][c]->setText(Utf8(cells[r][c]));
  }
}

void CDlgMain::SetNote(const std::string& utf8) {
  m_note->SetNote(Utf8(utf8));
}

std::string CDlgMain::Note() const {
  return m_note->toPlainText().toStdString();
}

bool CDlgMain::AskWarning(const std::string& question) {
  return CurrentMessageBoxes().Show(this, NoticeIcon::Warning, Utf8(question), MessageButtons::YesNo) ==
         MessageAnswer::Yes;
}

void CDlgMain::SetUserPanel(const UserPanelTexts& texts) {
  for (std::size_t i = 0; i < texts.values.size(); ++i) m_userValues[i]->setText(Utf8(texts.values[i]));
  m_infoValues[0]->setText(Utf8(texts.bmi));
}

void CDlgMain::SetPhoto(const std::optional<std::filesystem::path>& file) {
  if (!file || !m_photo->LoadFromFile(QString::fromStdString(file->string())))
    m_photo->LoadPicture(Picture::PhotoPlaceholder);
}

void CDlgMain::SetProgressVisible(bool visible) {
  m_progressVisible = visible;
  if (m_progress == nullptr) return;
  if (visible) m_progress->CentreOver(this);
  m_progress->setVisible(visible);
}

void CDlgMain::SetProgressText(const std::string& text) {
  m_progress->SetText(Utf8(text));
}

void CDlgMain::SetProgressPercent(int percent) {
  m_progress->SetPercent(percent);
}

void CDlgMain::Hide() {
  HideWindow(*this);
}

bool CDlgMain::Notify(const DesktopNotification& notification) {
  return DesktopNotifier().Notify(m_tray.get(), FromUtf8(notification.title), FromUtf8(notification.body),
                                  notification.failed);
}

void CDlgMain::BringForward() {
  BringWindowForward(*this);
}

void CDlgMain::OnTimer() {
  if (m_progress != nullptr && m_progress->isVisible() != m_progressVisible) m_progress->setVisible(m_progressVisible);
  m_presenter.Tick();
}

void CDlgMain::RunArea(int area, bool held, QPoint at) {
  m_presenter.RunArea(area, held, at.x(), at.y());
}

// ------------------------------------------------------------------ events

void CDlgMain::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const int area = m_presenter.AreaAt(at.x(), at.y());
  if (area != kAreaNone) {
    RunArea(area, true, at);
    return;
  }
  m_drag.Press(*this, at);
}

void CDlgMain::mouseMoveEvent(QMouseEvent* event) {
  m_presenter.ClearRepeat();
  const QPoint at = event->position().toPoint();
  if (m_drag.Move(*this, at, event->buttons())) return;
  const bool overArea = m_presenter.Started() && m_presenter.AreaAt(at.x(), at.y()) != kAreaNone;
  setCursor(overArea ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDlgMain::mouseReleaseEvent(QMouseEvent* event) {
  m_drag.End(*this);
  m_presenter.ClearRepeat();
  QDialog::mouseReleaseEvent(event);
}

void CDlgMain::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      m_presenter.Logout();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        m_presenter.Confirm();
        return;
      }
      break;
    default:
      break;
  }
  QDialog::keyPressEvent(event);
}

void CDlgMain::closeEvent(QCloseEvent* event) {
  // The close box only hides; the window ends by LOGOUT, Escape, Enter or
  // the tray's Exit.
  event->ignore();
  m_presenter.CloseBox();
}

void CDlgMain::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) m_presenter.Minimised();
}

bool CDlgMain::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && m_presenter.Started()) {
    // The areas' buttons let the mouse through, so their tips come from here.
    auto* help = static_cast<QHelpEvent*>(event);
    const int area = m_presenter.AreaAt(help->pos().x(), help->pos().y());
    if (area != kAreaNone) {
      QString tip = m_areaButtons[static_cast<std::size_t>(area)]->toolTip();
      const std::string more = m_presenter.AreaTip(area);
      if (!more.empty()) tip += QStringLiteral("\n") + QString::fromStdString(more);
      QToolTip::showText(help->globalPos(), tip, this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QDialog::event(event);
}

}  // namespace tempovia
