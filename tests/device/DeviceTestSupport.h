#pragma once
// Helpers for the watch link's tests: an observer that records what the
// driver tells, and a reading of the simulator's report log as bridge commands.

#include <cstdint>
#include <vector>

#include "device/SimulatedWatch.h"
#include "device/TrekmoObserver.h"

namespace tempovia::test {

class RecordingObserver final : public TrekmoObserver {
 public:
  void OnReconnected() override { ++reconnected; }
  void OnDisconnected() override { ++disconnected; }
  void OnProgress(int percent) override { progress.push_back(percent); }

  int reconnected = 0;
  int disconnected = 0;
  std::vector<int> progress;
};

// One command report the host sent, with the data report that followed it
// for the commands that take one.
struct SentCommand {
  std::uint8_t code = 0;
  std::uint16_t address = 0;
  std::uint8_t length = 0;
  std::vector<std::uint8_t> data;  // the 8 data bytes, empty for reads and status
};

std::vector<SentCommand> SentCommands(const std::vector<ReportLogEntry>& log);
// Addresses of the ReadBlock commands, in order.
std::vector<std::uint16_t> ReadAddresses(const std::vector<ReportLogEntry>& log);
// How many reports of each direction the log holds (whatever their outcome).
int CountReports(const std::vector<ReportLogEntry>& log, ReportLogEntry::Direction direction);

}  // namespace tempovia::test
