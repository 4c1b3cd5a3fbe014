#pragma once
// Downloading by itself when the watch is plugged in: off until the user
// turns it on in SETUP. The switch lives in a small text file of the base
// folder ("download.ini"), so user.set keeps its bytes; the choices such a
// download uses are the upload dialog's last ones, which user.set already
// remembers. A missing, unreadable or foreign file means off.

#include <filesystem>

#include "base/Status.h"
#include "store/StorePaths.h"
#include "workspace/Workspace.h"

namespace tempovia {

std::filesystem::path AutoDownloadFile(const StorePaths& paths);

// On only when the file says so in a line "download-when-plugged-in=1".
bool LoadAutoDownload(const std::filesystem::path& file);
// Rewrites the file whole (never half written).
Status SaveAutoDownload(const std::filesystem::path& file, bool on);

// Whether a watch that has just come back starts a download by itself: only
// when it is turned on, a user is logged in at the main window (the watch
// brings a minimised one forward first) and no transfer is under way; a
// main window hidden in the tray logs its user out instead.
bool DownloadsByItself(bool on, WindowState state, bool downloadBusy);

}  // namespace tempovia
