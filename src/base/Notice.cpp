#include "base/Notice.h"

#include <cstdio>
#include <mutex>
#include <system_error>

namespace tempovia {
namespace {

std::mutex g_mutex;
NoticeSink* g_sink = nullptr;

}  // namespace

void ShowNotice(NoticeIcon icon, std::string text) {
  NoticeSink* sink = nullptr;
  {
    std::lock_guard lock(g_mutex);
    sink = g_sink;
  }
  // Shown outside the lock: a message box runs an event loop, and whatever
  // runs in it may show a notice of its own.
  if (sink != nullptr) {
    sink->Show(Notice{icon, std::move(text)});
    return;
  }
  std::fprintf(stderr, "Tempovia: %s\n", text.c_str());
}

NoticeSink* InstallNoticeSink(NoticeSink* sink) {
  std::lock_guard lock(g_mutex);
  NoticeSink* previous = g_sink;
  g_sink = sink;
  return previous;
}

std::string SystemErrorText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace tempovia
