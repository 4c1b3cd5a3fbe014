#include "app/UploadDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tempovia {

CUploadDlg::CUploadDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Upload and Download"));
  auto* layout = new QVBoxLayout(this);
  m_clock = new QCheckBox(QStringLiteral("Download Date and Time to Watch"), this);
  m_data = new QCheckBox(QStringLiteral("Upload Data to Computer"), this);
  layout->addWidget(m_clock);
  layout->addWidget(m_data);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Each box is the other's opposite.
  connect(m_clock, &QCheckBox::clicked, this, [this](bool on) { m_data->setChecked(!on); });
  connect(m_data, &QCheckBox::clicked, this, [this](bool on) { m_clock->setChecked(!on); });
}

void CUploadDlg::SetChoices(const DownloadChoices& choices) {
  m_clock->setChecked(choices.writeClock);
  m_data->setChecked(!choices.writeClock);
}

DownloadChoices CUploadDlg::Choices() const {
  return {m_clock->isChecked(), m_data->isChecked()};
}

}  // namespace tempovia
