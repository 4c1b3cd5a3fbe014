#include "users/widgets/DlgUserRecord.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "skin/SkinLayout.h"
#include "users/UserRules.h"
#include "users/widgets/VerifyPWDlg.h"
#include "widgets/ExStatic.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PictureFile.h"
#include "widgets/QtText.h"
#include "widgets/Windows1252Validator.h"

namespace tempovia {
namespace {

// Typed measures are short ("5'11\"", "180.5"); nothing longer is useful.
constexpr int kMeasureLength = 16;

void Show(QWidget* parent, const Notice& message) {
  const QString text = FromUtf8(message.text);
  switch (message.icon) {
    case NoticeIcon::None:
      ShowPlain(parent, text);
      break;
    case NoticeIcon::Information:
      ShowInformation(parent, text);
      break;
    default:
      ShowWarning(parent, text);
      break;
  }
}

QLineEdit* MeasureBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setMaxLength(kMeasureLength);
  return box;
}

}  // namespace

// Every file the chooser lists is a picture it may load; upper-case names
// are listed too, as file names on this platform are case-sensitive.
const QString CDlgUserRecord::kPhotoFilter =
    QStringLiteral("Images(*.bmp,*.jpg,*.png,*.gif) (*.bmp *.jpg *.png *.gif *.BMP *.JPG *.PNG *.GIF)");

CDlgUserRecord::CDlgUserRecord(UserEditor& editor, QWidget* parent)
    : QDialog(parent),
      m_editor(editor),
      m_name(new QLineEdit(this)),
      m_password(new QLineEdit(this)),
      m_nameRule(new Windows1252Validator(static_cast<int>(kMaxNameLength), this)),
      m_passwordRule(new Windows1252Validator(static_cast<int>(kMaxPasswordLength), this)),
      m_heightLabel(new QLabel(this)),
      m_weightLabel(new QLabel(this)),
      m_walkingLabel(new QLabel(this)),
      m_runningLabel(new QLabel(this)),
      m_ageLabel(new QLabel(QStringLiteral("Age"), this)),
      m_sexLabel(new QLabel(QStringLiteral("Sex"), this)),
      m_height(MeasureBox("height", this)),
      m_weight(MeasureBox("weight", this)),
      m_walking(MeasureBox("walkingStride", this)),
      m_running(MeasureBox("runningStride", this)),
      m_age(new QLineEdit(this)),
      m_sex(new QComboBox(this)),
      m_goalLabel(new QLabel(QStringLiteral("Daily step goal"), this)),
      m_goal(new QLineEdit(this)),
      m_photo(new CExStatic(this)),
      m_changePhoto(new QPushButton(QStringLiteral("Change Photo"), this)) {
  SetUpBoxes();
  BuildLayout(BuildFields());
  m_confirm = [this] {
    CVerifyPWDlg verify(this);
    return verify.exec() == QDialog::Accepted ? std::optional<QString>(verify.Password()) : std::nullopt;
  };
  m_choosePhoto = [this] {
    return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kPhotoFilter, nullptr,
                                        QFileDialog::HideNameFilterDetails);
  };

  Open();
}

void CDlgUserRecord::SetUpBoxes() {
  m_name->setObjectName(QStringLiteral("name"));
  m_name->setValidator(m_nameRule);
  m_password->setObjectName(QStringLiteral("password"));
  m_password->setEchoMode(QLineEdit::Password);
  m_password->setValidator(m_passwordRule);
  m_age->setObjectName(QStringLiteral("age"));
  m_age->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_age));
  m_sex->setObjectName(QStringLiteral("sex"));
  m_sex->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
  m_goal->setObjectName(QStringLiteral("stepGoal"));
  // Digits only, five at most; the range itself is checked on Save.
  m_goal->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_goal));
  m_goal->setPlaceholderText(QStringLiteral("none"));
  m_goal->setToolTip(QStringLiteral("1000 to 99999 steps a day; empty for no goal"));
  m_photo->setObjectName(QStringLiteral("photo"));
  m_photo->setFixedSize(kPhotoPlaceholderWidth, kPhotoPlaceholderHeight);
  m_changePhoto->setObjectName(QStringLiteral("changePhoto"));
  m_changePhoto->setAutoDefault(false);
  connect(m_changePhoto, &QPushButton::clicked, this, &CDlgUserRecord::ChangePhoto);
}

QGridLayout* CDlgUserRecord::BuildFields() {
  auto* fields = new QGridLayout;
  const std::pair<QWidget*, QWidget*> rows[] = {
      {new QLabel(QStringLiteral("User Name"), this), m_name},
      {new QLabel(QStringLiteral("Password"), this), m_password},
      {m_heightLabel, m_height},
      {m_weightLabel, m_weight},
      {m_walkingLabel, m_walking},
      {m_runningLabel, m_running},
      {m_ageLabel, m_age},
      {m_sexLabel, m_sex},
      {m_goalLabel, m_goal},
  };
  int row = 0;
  for (const auto& [label, input] : rows) {
    static_cast<QLabel*>(label)->setBuddy(input);
    fields->addWidget(label, row, 0);
    fields->addWidget(input, row, 1);
    ++row;
  }
  fields->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 24);
  return fields;
}

void CDlgUserRecord::BuildLayout(QGridLayout* fields) {
  auto* save = new QPushButton(QStringLiteral("Save"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  save->setObjectName(QStringLiteral("save"));
  cancel->setObjectName(QStringLiteral("cancel"));
  save->setDefault(true);
  cancel->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &CDlgUserRecord::accept);
  connect(cancel, &QPushButton::clicked, this, &CDlgUserRecord::reject);

  auto* photoColumn = new QVBoxLayout;
  photoColumn->addWidget(m_photo, 0, Qt::AlignHCenter);
  photoColumn->addWidget(m_changePhoto);
  photoColumn->addStretch();

  auto* top = new QHBoxLayout;
  top->addLayout(fields);
  top->addSpacing(12);
  top->addLayout(photoColumn);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  // The dialog is as large as what it shows: create mode leaves out every
  // row but name and password, and the buttons and the frame close up.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

CDlgUserRecord::~CDlgUserRecord() = default;

void CDlgUserRecord::Open() {
  const bool edit = m_editor.GetMode() == UserEditor::Mode::Edit;
  setWindowTitle(FromUtf8(m_editor.Caption()));

  const EditorLabels labels = m_editor.Labels();
  m_heightLabel->setText(FromUtf8(labels.height));
  m_weightLabel->setText(FromUtf8(labels.weight));
  m_walkingLabel->setText(FromUtf8(labels.walkingStride));
  m_runningLabel->setText(FromUtf8(labels.runningStride));

  const EditorTexts& shown = m_editor.Shown();
  m_name->setEnabled(!edit);  // a user's name never changes
  m_nameRule->SetStoredText(FromUtf8(shown.name));
  m_passwordRule->SetStoredText(FromUtf8(shown.password));
  m_name->setText(FromUtf8(shown.name));
  m_password->setText(FromUtf8(shown.password));
  m_height->setText(FromUtf8(shown.height));
  m_weight->setText(FromUtf8(shown.weight));
  m_walking->setText(FromUtf8(shown.walkingStride));
  m_running->setText(FromUtf8(shown.runningStride));
  m_age->setText(FromUtf8(shown.age));
  m_sex->setCurrentIndex(shown.sex);
  m_goal->setText(FromUtf8(shown.stepGoal));

  for (QWidget* widget : std::initializer_list<QWidget*>{
           m_heightLabel, m_weightLabel, m_walkingLabel, m_runningLabel, m_ageLabel, m_sexLabel, m_height, m_weight,
           m_walking, m_running, m_age, m_sex, m_goalLabel, m_goal, m_photo, m_changePhoto})
    widget->setVisible(edit);

  const std::optional<std::filesystem::path> photo = m_editor.StoredPhoto();
  if (!photo || !m_photo->LoadFromFile(QFile::decodeName(photo->c_str())))
    m_photo->LoadPicture(Picture::PhotoPlaceholder);
  (edit ? m_password : m_name)->setFocus();
}

EditorTexts CDlgUserRecord::Typed() const {
  EditorTexts typed;
  typed.name = m_name->text().toStdString();
  typed.password = m_password->text().toStdString();
  typed.height = m_height->text().toStdString();
  typed.weight = m_weight->text().toStdString();
  typed.walkingStride = m_walking->text().toStdString();
  typed.runningStride = m_running->text().toStdString();
  typed.age = m_age->text().toStdString();
  typed.sex = m_sex->currentIndex();
  typed.stepGoal = m_goal->text().toStdString();
  return typed;
}

std::optional<std::string> CDlgUserRecord::AskConfirmation() {
  const std::optional<QString> again = m_confirm ? m_confirm() : std::nullopt;
  if (!again) return std::nullopt;
  return again->toStdString();
}

void CDlgUserRecord::accept() {
  const EditorOutcome outcome = m_editor.Save(Typed(), [this] { return AskConfirmation(); });
  for (const Notice& message : outcome.messages) Show(this, message);
  if (outcome.close) QDialog::accept();
}

void CDlgUserRecord::reject() {
  m_editor.Cancel();
  QDialog::reject();
}

void CDlgUserRecord::ChangePhoto() {
  const QString path = m_choosePhoto ? m_choosePhoto() : QString();
  if (path.isEmpty()) return;
  const PictureFile picture = ReadPictureFile(path);
  std::optional<std::string> format;
  if (!picture.image.isNull()) format = picture.format.toStdString();
  const std::filesystem::path file(QFile::encodeName(path).toStdString());
  if (const std::optional<Notice> refused = m_editor.ChoosePhoto(file, format)) {
    Show(this, *refused);
    return;
  }
  m_photo->SetImage(picture.image);
}

}  // namespace tempovia
