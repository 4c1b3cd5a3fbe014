#include "MonkeyBoxes.h"

namespace tempovia::monkey {

MonkeyBoxes::MonkeyBoxes(Dice& dice, EventLog& log) : m_dice(dice), m_log(log) {
  m_previous = InstallMessageBoxes(this);
}

MonkeyBoxes::~MonkeyBoxes() {
  InstallMessageBoxes(m_previous);
}

MessageAnswer MonkeyBoxes::Show(QWidget*, NoticeIcon, const QString& text, MessageButtons buttons, const QString&) {
  const std::string utf8 = text.toStdString();
  ++m_shown[utf8.substr(0, utf8.find('\n'))];
  MessageAnswer answer = MessageAnswer::Ok;
  if (buttons == MessageButtons::YesNo) answer = m_dice.Chance(0.5) ? MessageAnswer::Yes : MessageAnswer::No;
  std::string line = "box \"" + utf8 + "\"";
  for (char& c : line)
    if (c == '\n') c = '|';
  m_log.Add(line + (buttons == MessageButtons::YesNo ? (answer == MessageAnswer::Yes ? " -> Yes" : " -> No") : ""));
  return answer;
}

int MonkeyBoxes::Count(const std::string& firstLine) const {
  const auto found = m_shown.find(firstLine);
  return found == m_shown.end() ? 0 : found->second;
}

}  // namespace tempovia::monkey
