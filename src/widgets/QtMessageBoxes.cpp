#include "widgets/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tempovia {
namespace {

QMessageBox::Icon ToQtIcon(NoticeIcon icon) {
  switch (icon) {
    case NoticeIcon::Warning:
      return QMessageBox::Warning;
    case NoticeIcon::Information:
      return QMessageBox::Information;
    case NoticeIcon::Question:
      return QMessageBox::Question;
    case NoticeIcon::Stop:
      return QMessageBox::Critical;
    case NoticeIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(QWidget* parent, NoticeIcon icon, const QString& text, MessageButtons buttons,
                                   const QString& caption) {
  if (parent == nullptr) parent = QApplication::activeWindow();
  const bool yesNo = buttons == MessageButtons::YesNo;
  QMessageBox box(ToQtIcon(icon), caption, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
  // A question under a warning asks whether to give something up: Enter
  // keeps it.
  const QMessageBox::StandardButton yesNoDefault = icon == NoticeIcon::Warning ? QMessageBox::No : QMessageBox::Yes;
  box.setDefaultButton(yesNo ? yesNoDefault : QMessageBox::Ok);
  if (yesNo) box.setEscapeButton(QMessageBox::No);
  const int result = box.exec();
  if (!yesNo) return MessageAnswer::Ok;
  return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace tempovia
