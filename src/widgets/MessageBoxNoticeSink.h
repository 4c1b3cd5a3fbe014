#pragma once
// Shows the notices of the layers without windows (ShowNotice) as message
// boxes, while alive. The windowed program installs one at start-up.

#include "base/Notice.h"

namespace tempovia {

class MessageBoxNoticeSink final : public NoticeSink {
 public:
  MessageBoxNoticeSink();
  ~MessageBoxNoticeSink() override;
  MessageBoxNoticeSink(const MessageBoxNoticeSink&) = delete;
  MessageBoxNoticeSink& operator=(const MessageBoxNoticeSink&) = delete;

  void Show(const Notice& notice) override;

 private:
  NoticeSink* m_previous = nullptr;
};

}  // namespace tempovia
