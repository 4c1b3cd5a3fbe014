#include "widgets/Windows1252Validator.h"

#include "base/Windows1252.h"

namespace tempovia {

Windows1252Validator::Windows1252Validator(int maxLength, QObject* parent)
    : QValidator(parent), m_maxLength(maxLength) {}

QValidator::State Windows1252Validator::validate(QString& input, int&) const {
  if (!m_stored.isEmpty() && input == m_stored) return Acceptable;
  // No character outside the first plane is in Windows-1252, and a lone
  // half of a pair would be turned into "?" on the way to UTF-8.
  for (const QChar c : input)
    if (c.isSurrogate()) return Invalid;
  // Windows-1252 has one byte per character, so characters count as bytes.
  const std::optional<std::string> bytes = Utf8ToWindows1252(input.toStdString());
  if (!bytes || bytes->size() > static_cast<std::size_t>(m_maxLength)) return Invalid;
  return Acceptable;
}

}  // namespace tempovia
