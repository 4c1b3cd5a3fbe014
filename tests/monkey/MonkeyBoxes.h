#pragma once
// Message boxes answered at random, each one logged and counted: the boxes
// are Qt's own, what the monkey tests is what the program does with either
// answer.

#include <map>
#include <string>

#include "Dice.h"
#include "EventLog.h"
#include "widgets/MessageBoxes.h"

namespace tempovia::monkey {

class MonkeyBoxes final : public MessageBoxes {
 public:
  MonkeyBoxes(Dice& dice, EventLog& log);
  ~MonkeyBoxes() override;
  MonkeyBoxes(const MonkeyBoxes&) = delete;
  MonkeyBoxes& operator=(const MonkeyBoxes&) = delete;

  MessageAnswer Show(QWidget* parent, NoticeIcon icon, const QString& text, MessageButtons buttons,
                     const QString& caption) override;

  // How often each text (its first line) was shown.
  const std::map<std::string, int>& Shown() const { return m_shown; }
  bool Saw(const std::string& firstLine) const { return m_shown.count(firstLine) != 0; }
  int Count(const std::string& firstLine) const;

 private:
  Dice& m_dice;
  EventLog& m_log;
  MessageBoxes* m_previous;
  std::map<std::string, int> m_shown;
};

}  // namespace tempovia::monkey
