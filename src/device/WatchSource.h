#pragma once
// Where a program's watch comes from: the watch's USB bridge, or the watch
// simulator with a seed's plausible week or a memory image saved from a real
// watch. The windowed program and the command-line tool take the same
// --simulate-watch choice.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "base/Status.h"
#include "device/HidTransport.h"
#include "records/WatchLayout.h"

namespace tempovia {

struct WatchSource {
  bool simulate = false;
  // With simulate: a seed number ("" means 1) or the path of a memory image.
  std::string simulation;
};

// Reads a saved memory image: a regular file of exactly 512 bytes (a device
// or a pipe is refused and never read without limit).
Status ReadWatchImage(const std::filesystem::path& path, WatchImage& image);

// The transport for the source; the simulator's week ends on lastDay and it
// pauses on clock. Nothing, with the reason, when an image cannot be read.
std::unique_ptr<HidTransport> OpenWatchSource(const WatchSource& source, Clock& clock,
                                              std::chrono::year_month_day lastDay, Status& status);

}  // namespace tempovia
