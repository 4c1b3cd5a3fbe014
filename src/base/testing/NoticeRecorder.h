#pragma once
// Records notices while alive instead of showing them, for tests.

#include <string>
#include <vector>

#include "base/Notice.h"

namespace tempovia {

class NoticeRecorder final : public NoticeSink {
 public:
  NoticeRecorder();
  ~NoticeRecorder() override;
  NoticeRecorder(const NoticeRecorder&) = delete;
  NoticeRecorder& operator=(const NoticeRecorder&) = delete;

  void Show(const Notice& notice) override { m_notices.push_back(notice); }

  const std::vector<Notice>& Notices() const { return m_notices; }
  std::vector<std::string> Texts() const;
  void Clear() { m_notices.clear(); }

 private:
  std::vector<Notice> m_notices;
  NoticeSink* m_previous = nullptr;
};

}  // namespace tempovia
