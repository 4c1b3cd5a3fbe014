#include "app/ModalLoop.h"

#include <QDialog>
#include <QEventLoop>

namespace tempovia {

int ModalLoop::Run(QDialog& dialog) {
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setResult(0);
  dialog.show();
  QEventLoop loop;
  m_loop = &loop;
  loop.exec(QEventLoop::DialogExec);
  m_loop = nullptr;
  return dialog.result();
}

void ModalLoop::End() {
  if (m_loop) m_loop->exit();
}

}  // namespace tempovia
