#pragma once
// Runs a window modally in a loop of its own. QDialog::exec ends the moment
// its dialog is hidden, but the login and main windows hide into the
// notification area and must go on running there: they end only through
// done(), which calls End.

#include <QPointer>

class QDialog;
class QEventLoop;

namespace tempovia {

class ModalLoop {
 public:
  // Shows the window modal to the whole program and runs until End (or
  // until the program is asked to quit); the window's result.
  int Run(QDialog& dialog);
  void End();

 private:
  QPointer<QEventLoop> m_loop;
};

}  // namespace tempovia
