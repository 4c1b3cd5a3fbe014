#include "users/widgets/SettingDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tempovia {
namespace {

QGroupBox* ChoiceGroup(const QString& title, QRadioButton* first, QRadioButton* second, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  // Wide enough that the title bar's "Settings" is not cut.
  group->setMinimumWidth(parent->fontMetrics().averageCharWidth() * 16);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(first);
  layout->addWidget(second);
  // Each group is its own exclusive pair.
  auto* buttons = new QButtonGroup(group);
  buttons->addButton(first);
  buttons->addButton(second);
  return group;
}

}  // namespace

CSettingDlg::CSettingDlg(QWidget* parent)
    : QDialog(parent),
      m_km(new QRadioButton(QStringLiteral("km"), this)),
      m_feet(new QRadioButton(QStringLiteral("feets"), this)),
      m_kg(new QRadioButton(QStringLiteral("kg"), this)),
      m_pound(new QRadioButton(QStringLiteral("pound"), this)),
      m_handshakeBox(new QCheckBox(QStringLiteral("Handshake"), this)),
      m_downloadBox(new QCheckBox(QStringLiteral("Download when the watch is plugged in"), this)) {
  setWindowTitle(QStringLiteral("Settings"));
  m_km->setObjectName(QStringLiteral("km"));
  m_feet->setObjectName(QStringLiteral("feets"));
  m_kg->setObjectName(QStringLiteral("kg"));
  m_pound->setObjectName(QStringLiteral("pound"));
  m_handshakeBox->setObjectName(QStringLiteral("handshake"));
  // The watch's handshake stays settable from the program but out of sight.
  m_handshakeBox->hide();
  m_downloadBox->setObjectName(QStringLiteral("downloadOnPlugIn"));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setObjectName(QStringLiteral("ok"));
  cancel->setObjectName(QStringLiteral("cancel"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* groups = new QHBoxLayout;
  groups->addWidget(ChoiceGroup(QStringLiteral("Length"), m_km, m_feet, this));
  groups->addWidget(ChoiceGroup(QStringLiteral("Weight"), m_kg, m_pound, this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(m_downloadBox);
  layout->addWidget(m_handshakeBox);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetDistanceUnit(0);
  SetWeightUnit(0);
  SetHandshake(true);
  SetDownloadOnPlugIn(false);
}

void CSettingDlg::SetDistanceUnit(int unit) {
  m_distanceUnit = unit;
  (unit == 0 ? m_km : m_feet)->setChecked(true);
}

void CSettingDlg::SetWeightUnit(int unit) {
  m_weightUnit = unit;
  (unit == 0 ? m_kg : m_pound)->setChecked(true);
}

void CSettingDlg::SetHandshake(bool checked) {
  m_handshake = checked;
  m_handshakeBox->setChecked(checked);
}

void CSettingDlg::SetDownloadOnPlugIn(bool checked) {
  m_downloadOnPlugIn = checked;
  m_downloadBox->setChecked(checked);
}

void CSettingDlg::accept() {
  m_distanceUnit = m_feet->isChecked() ? 1 : 0;
  m_weightUnit = m_pound->isChecked() ? 1 : 0;
  m_handshake = m_handshakeBox->isChecked();
  m_downloadOnPlugIn = m_downloadBox->isChecked();
  QDialog::accept();
}

}  // namespace tempovia
