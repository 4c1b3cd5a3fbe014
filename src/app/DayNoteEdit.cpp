#include "app/DayNoteEdit.h"

#include <QApplication>
#include <QMimeData>
#include <QTextCursor>

#include "dashboard/DayNote.h"

namespace tempovia {

CDayNoteEdit::CDayNoteEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setAccessibleName(QStringLiteral("Day note"));
  setToolTip(QStringLiteral("A note for the day shown (at most 255 characters)"));
  connect(this, &QPlainTextEdit::textChanged, this, [this] { OnChanged(); });
}

void CDayNoteEdit::SetNote(const QString& text) {
  m_programmatic = true;
  setPlainText(text);
  m_programmatic = false;
  m_accepted = text;
  m_acceptedCursor = static_cast<int>(text.size());
}

bool CDayNoteEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void CDayNoteEdit::insertFromMimeData(const QMimeData* source) {
  if (!canInsertFromMimeData(source)) return;
  const QString text = source->text();
  if (text.isEmpty()) return;
  // As typed: the check on every change refuses what cannot be stored.
  textCursor().insertText(text);
}

void CDayNoteEdit::OnChanged() {
  if (m_programmatic) return;
  const QString text = toPlainText();
  if (text == m_accepted) return;
  const std::optional<std::size_t> stored = StoredNoteLength(text.toStdString());
  if (!stored || *stored > kMaxNoteBytes) {
    // Put the last acceptable text back where the cursor was.
    m_programmatic = true;
    setPlainText(m_accepted);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(m_acceptedCursor, static_cast<int>(m_accepted.size())));
    setTextCursor(cursor);
    m_programmatic = false;
    QApplication::beep();
    return;
  }
  m_accepted = text;
  m_acceptedCursor = textCursor().position();
  emit Edited();
}

}  // namespace tempovia
