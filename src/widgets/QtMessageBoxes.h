#pragma once
// Message boxes shown with QMessageBox.

#include "widgets/MessageBoxes.h"

namespace tempovia {

class QtMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget* parent, NoticeIcon icon, const QString& text, MessageButtons buttons,
                     const QString& caption = QString::fromLatin1(kMessageCaption)) override;
};

}  // namespace tempovia
