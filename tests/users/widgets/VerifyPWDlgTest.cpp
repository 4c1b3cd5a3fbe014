#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Typing.h"
#include "users/widgets/VerifyPWDlg.h"

namespace tempovia {
namespace {

TEST(VerifyPWDlg, OkHandsBackTheTypedPasswordAndCancelNothing) {
  for (const bool ok : {false, true}) {
    CVerifyPWDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Verify Password"));
    EXPECT_NE(dialog.findChild<QLabel*>()->text().indexOf(QStringLiteral("Password :")), -1);
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("password"));
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    // A stored password may fill the whole field: 13 characters can be typed, not 14.
    test::TypeText(box, QString::fromUtf8("Caf\xC3\xA9-\xCE\xA9-12345678"));
    EXPECT_EQ(box->text(), QString::fromUtf8("Caf\xC3\xA9--1234567"));
    dialog.findChild<QPushButton*>(QString::fromLatin1(ok ? "ok" : "cancel"))->click();
    EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(dialog.Password(), ok ? QString::fromUtf8("Caf\xC3\xA9--1234567") : QString());
  }
}

}  // namespace
}  // namespace tempovia
