#pragma once
// The day note field: several lines, at most 255 bytes as stored, only
// characters the stored form can hold. Typing or pasting what would not fit
// is refused as it happens, so nothing typed is ever cut or changed later.
// Text the program puts in is not an edit.
//
// Only plain text is ever pasted: Qt's own paste into a multi-line field
// crashes on a clipboard that offers no text (an empty one, or a picture),
// so anything without text is refused before Qt looks at it.

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

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void OnChanged();

  QString m_accepted;
  int m_acceptedCursor = 0;
  bool m_programmatic = false;
};

}  // namespace tempovia
