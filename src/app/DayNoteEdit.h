#pragma once
// The day note field: several lines, at most 255 bytes as stored, only
// characters the stored form can hold. Typing or pasting what would not fit
// is refused as it happens, so nothing typed is ever cut or changed later.
// Text the program puts in is not an edit.

#include <QPlainTextEdit>

namespace tempovia {

class CDayNoteEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CDayNoteEdit(QWidget* parent = nullptr);

  // Shows a note without counting it as an edit.
  void SetNote(const QString& text);

 signals:
  // The user changed the text.
  void Edited();

 private:
  void OnChanged();

  QString m_accepted;
  int m_acceptedCursor = 0;
  bool m_programmatic = false;
};

}  // namespace tempovia
