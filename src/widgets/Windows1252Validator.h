#pragma once
// Keeps a text box to what a Windows-1252 text field of the stored files can
// hold: at most a number of characters, each one Windows-1252 can represent.
// Text that breaks either rule is refused as it is typed or pasted.

#include <QString>
#include <QValidator>

namespace tempovia {

class Windows1252Validator : public QValidator {
 public:
  explicit Windows1252Validator(int maxLength, QObject* parent = nullptr);

  // A text accepted whatever its length: the stored value the box was filled
  // with, which a file written elsewhere may have made longer than the limit.
  // Any change to it must meet the limit.
  void SetStoredText(const QString& text) { m_stored = text; }

  int MaxLength() const { return m_maxLength; }
  State validate(QString& input, int& pos) const override;

 private:
  int m_maxLength;
  QString m_stored;
};

}  // namespace tempovia
