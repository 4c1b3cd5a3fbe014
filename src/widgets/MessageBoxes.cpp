#include "widgets/MessageBoxes.h"

#include "widgets/QtMessageBoxes.h"

namespace tempovia {
namespace {

MessageBoxes* g_installed = nullptr;

}  // namespace

MessageBoxes& CurrentMessageBoxes() {
  static QtMessageBoxes standard;
  return g_installed != nullptr ? *g_installed : standard;
}

MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes) {
  MessageBoxes* previous = g_installed;
  g_installed = boxes;
  return previous;
}

void ShowWarning(QWidget* parent, const QString& text) {
  CurrentMessageBoxes().Show(parent, NoticeIcon::Warning, text, MessageButtons::Ok);
}

void ShowInformation(QWidget* parent, const QString& text) {
  CurrentMessageBoxes().Show(parent, NoticeIcon::Information, text, MessageButtons::Ok);
}

void ShowPlain(QWidget* parent, const QString& text) {
  CurrentMessageBoxes().Show(parent, NoticeIcon::None, text, MessageButtons::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text) {
  return CurrentMessageBoxes().Show(parent, NoticeIcon::Question, text, MessageButtons::YesNo) == MessageAnswer::Yes;
}

}  // namespace tempovia
