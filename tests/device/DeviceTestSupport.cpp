#include "DeviceTestSupport.h"

#include <algorithm>

#include "device/USBHID.h"

namespace tempovia::test {
namespace {

bool IsCommand(const ReportLogEntry& entry) {
  const auto& b = entry.bytes;
  return entry.direction == ReportLogEntry::Direction::Out && b.size() == 9 && b[1] == 'U' && b[2] == 'S' &&
         b[3] == 'B' && b[4] == 'C';
}

bool TakesData(std::uint8_t code) {
  return code == USBHID::kWriteBlock || code == USBHID::kPortConfig || code == USBHID::kPortSet ||
         code == USBHID::kPortMask;
}

}  // namespace

std::vector<SentCommand> SentCommands(const std::vector<ReportLogEntry>& log) {
  std::vector<SentCommand> commands;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (!IsCommand(log[i])) continue;
    const auto& b = log[i].bytes;
    SentCommand command{b[8], static_cast<std::uint16_t>(b[5] << 8 | b[6]), b[7], {}};
    if (TakesData(command.code)) {
      for (std::size_t j = i + 1; j < log.size(); ++j) {
        if (log[j].direction != ReportLogEntry::Direction::Out) continue;
        command.data.assign(log[j].bytes.begin() + 1, log[j].bytes.end());
        break;
      }
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

std::vector<std::uint16_t> ReadAddresses(const std::vector<ReportLogEntry>& log) {
  std::vector<std::uint16_t> addresses;
  for (const SentCommand& command : SentCommands(log))
    if (command.code == USBHID::kReadBlock) addresses.push_back(command.address);
  return addresses;
}

int CountReports(const std::vector<ReportLogEntry>& log, ReportLogEntry::Direction direction) {
  return static_cast<int>(
      std::count_if(log.begin(), log.end(), [&](const ReportLogEntry& e) { return e.direction == direction; }));
}

}  // namespace tempovia::test
