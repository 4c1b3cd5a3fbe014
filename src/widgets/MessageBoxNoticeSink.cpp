#include "widgets/MessageBoxNoticeSink.h"

#include <QString>

#include "widgets/MessageBoxes.h"

namespace tempovia {

MessageBoxNoticeSink::MessageBoxNoticeSink() : m_previous(InstallNoticeSink(this)) {}

MessageBoxNoticeSink::~MessageBoxNoticeSink() {
  InstallNoticeSink(m_previous);
}

void MessageBoxNoticeSink::Show(const Notice& notice) {
  CurrentMessageBoxes().Show(nullptr, notice.icon, QString::fromStdString(notice.text), MessageButtons::Ok);
}

}  // namespace tempovia
