#pragma once
// The program's run between its start and its end: a main window object is
// built and loads the data store, login windows are shown until a user logs
// in (or the program is ended), the main window runs, and after a logout all
// of it starts again with a fresh main window, so nothing of the previous
// user stays in memory.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/WindowCommands.h"

namespace tempovia {

class LoginCycle {
 public:
  class MainWindow {
   public:
    virtual ~MainWindow() = default;
    virtual void LoadDataStore() = 0;
    virtual int Run() = 0;
  };

  class LoginWindow {
   public:
    virtual ~LoginWindow() = default;
    virtual int Run() = 0;
    virtual bool IsLoggedIn() const = 0;
  };

  using MakeMainWindow = std::function<std::unique_ptr<MainWindow>()>;
  // The login window for a main window, told whether to start in the tray.
  using MakeLoginWindow = std::function<std::unique_ptr<LoginWindow>(MainWindow& main, bool startInTray)>;

  // Runs the cycle. Only the first login window of the run starts in the
  // tray. False ends the program at once (login cancelled, Exit); true when
  // the cycle was left another way (a main window could not be made, or it
  // ended with any other result).
  static bool Run(bool startInTray, const MakeMainWindow& makeMain, const MakeLoginWindow& makeLogin);
};

// The command line as one lower-case text (arguments joined by blanks).
std::string LoweredCommandLine(const std::vector<std::string>& arguments);
// "-tray" anywhere in it, in any letter case, even inside a longer argument.
bool StartsInTray(const std::string& loweredCommandLine);

}  // namespace tempovia
