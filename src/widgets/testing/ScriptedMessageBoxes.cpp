#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia {

ScriptedMessageBoxes::ScriptedMessageBoxes() : m_previous(InstallMessageBoxes(this)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  InstallMessageBoxes(m_previous);
}

MessageAnswer ScriptedMessageBoxes::Show(QWidget*, NoticeIcon icon, const QString& text, MessageButtons buttons,
                                         const QString& caption) {
  MessageAnswer answer = MessageAnswer::Ok;
  if (buttons == MessageButtons::YesNo) {
    if (m_answers.empty()) {
      ++m_unscripted;
      answer = MessageAnswer::No;
    } else {
      answer = m_answers.front();
      m_answers.pop_front();
    }
  }
  m_shown.push_back({icon, text, buttons, answer, caption});
  return answer;
}

QStringList ScriptedMessageBoxes::Texts() const {
  QStringList texts;
  for (const Shown& shown : m_shown) texts.push_back(shown.text);
  return texts;
}

void ScriptedMessageBoxes::Clear() {
  m_shown.clear();
  m_answers.clear();
  m_unscripted = 0;
}

}  // namespace tempovia
