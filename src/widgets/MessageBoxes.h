#pragma once
// Message boxes of the windows: a fixed text, the caption "Tempovia", an icon,
// and either OK or Yes/No. The program shows them with QMessageBox; tests
// install ScriptedMessageBoxes, which records them and answers from a script.

#include <QString>

#include "base/Notice.h"

class QWidget;

namespace tempovia {

inline constexpr char kMessageCaption[] = "Tempovia";

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box modally over the parent (or the active window) and returns
  // the button pressed; closing a Yes/No box any other way answers No.
  virtual MessageAnswer Show(QWidget* parent, NoticeIcon icon, const QString& text, MessageButtons buttons,
                             const QString& caption = QString::fromLatin1(kMessageCaption)) = 0;
};

// The installed message boxes: QMessageBox unless another is installed.
MessageBoxes& CurrentMessageBoxes();
// Installs boxes (nullptr restores QMessageBox) and returns the previous ones.
MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes);

// The shapes the windows use.
void ShowWarning(QWidget* parent, const QString& text);      // refusals and failures
void ShowInformation(QWidget* parent, const QString& text);  // e.g. "Incorrect Login"
void ShowPlain(QWidget* parent, const QString& text);        // no icon, e.g. "Data Imported!"
bool AskYesNo(QWidget* parent, const QString& text);         // question icon; true for Yes

}  // namespace tempovia
