#pragma once
// Messages for the user from layers that have no windows. The program shows
// them as message boxes, the command-line tool prints them, tests record them.

#include <string>

namespace tempovia {

enum class NoticeIcon { None, Warning, Information, Question, Stop };

struct Notice {
  NoticeIcon icon = NoticeIcon::None;
  std::string text;  // UTF-8
};

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  virtual void Show(const Notice& notice) = 0;
};

// Sends a notice to the installed sink (standard error when none is installed).
void ShowNotice(NoticeIcon icon, std::string text);

// Installs a sink and returns the previous one (nullptr for standard error).
NoticeSink* InstallNoticeSink(NoticeSink* sink);

// The system's text for an errno value, as shown beside a failed file operation.
std::string SystemErrorText(int error);

}  // namespace tempovia
