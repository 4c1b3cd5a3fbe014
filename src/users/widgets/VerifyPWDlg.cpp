#include "users/widgets/VerifyPWDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "users/UserRules.h"
#include "widgets/Windows1252Validator.h"

namespace tempovia {

CVerifyPWDlg::CVerifyPWDlg(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Verify Password"));
  m_edit->setObjectName(QStringLiteral("password"));
  m_edit->setEchoMode(QLineEdit::Password);
  // Long enough for any stored password, so one from a foreign file can be typed.
  m_edit->setValidator(new Windows1252Validator(static_cast<int>(kLongestStoredPassword), m_edit));
  m_edit->setMinimumWidth(fontMetrics().averageCharWidth() * 26);
  auto* label = new QLabel(QStringLiteral("Password :"), this);
  label->setBuddy(m_edit);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setObjectName(QStringLiteral("ok"));
  cancel->setObjectName(QStringLiteral("cancel"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(m_edit, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  m_edit->setFocus();
}

void CVerifyPWDlg::accept() {
  m_password = m_edit->text();
  QDialog::accept();
}

}  // namespace tempovia
