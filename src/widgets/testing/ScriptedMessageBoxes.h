#pragma once
// Message boxes for tests: installed while alive, they record every box and
// answer Yes/No questions from a script instead of waiting for a person.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "widgets/MessageBoxes.h"

namespace tempovia {

class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    NoticeIcon icon = NoticeIcon::None;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer answer = MessageAnswer::Ok;
    QString caption;
  };

  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes() override;
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  // Queues the answer to the next Yes/No question.
  void Answer(MessageAnswer answer) { m_answers.push_back(answer); }

  MessageAnswer Show(QWidget* parent, NoticeIcon icon, const QString& text, MessageButtons buttons,
                     const QString& caption = QString::fromLatin1(kMessageCaption)) override;

  const std::vector<Shown>& Boxes() const { return m_shown; }
  QStringList Texts() const;
  // Questions asked with no answer queued; they were answered No, the answer
  // that changes nothing.
  int UnscriptedQuestions() const { return m_unscripted; }
  void Clear();

 private:
  std::vector<Shown> m_shown;
  std::deque<MessageAnswer> m_answers;
  int m_unscripted = 0;
  MessageBoxes* m_previous = nullptr;
};

}  // namespace tempovia
