#include "workspace/LoginCycle.h"

#include <cctype>

namespace tempovia {

bool LoginCycle::Run(bool startInTray, const MakeMainWindow& makeMain, const MakeLoginWindow& makeLogin) {
  for (;;) {
    std::unique_ptr<MainWindow> main = makeMain();
    if (!main) return true;
    main->LoadDataStore();
    for (;;) {
      std::unique_ptr<LoginWindow> login = makeLogin(*main, startInTray);
      startInTray = false;
      if (login->Run() == kCancelResult) return false;
      if (login->IsLoggedIn()) break;
    }
    const int result = main->Run();
    if (result == kExitResult) return false;
    if (result != kLogoutResult) return true;
  }
}

std::string LoweredCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += argument;
  }
  for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return line;
}

bool StartsInTray(const std::string& loweredCommandLine) {
  return loweredCommandLine.find("-tray") != std::string::npos;
}

}  // namespace tempovia
