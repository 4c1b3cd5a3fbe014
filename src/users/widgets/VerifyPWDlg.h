#pragma once
// Asks for a password a second time: before a user is deleted, and to
// confirm a password set in the user record editor.

#include <QDialog>
#include <QString>

class QLineEdit;

namespace tempovia {

class CVerifyPWDlg : public QDialog {
 public:
  explicit CVerifyPWDlg(QWidget* parent = nullptr);

  // The typed text, taken when OK closes the dialog.
  const QString& Password() const { return m_password; }

  void accept() override;

 private:
  QString m_password;
  QLineEdit* m_edit;
};

}  // namespace tempovia
