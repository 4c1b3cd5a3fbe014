#include "base/testing/NoticeRecorder.h"

namespace tempovia {

NoticeRecorder::NoticeRecorder() : m_previous(InstallNoticeSink(this)) {}

NoticeRecorder::~NoticeRecorder() {
  InstallNoticeSink(m_previous);
}

std::vector<std::string> NoticeRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const Notice& notice : m_notices) texts.push_back(notice.text);
  return texts;
}

}  // namespace tempovia
