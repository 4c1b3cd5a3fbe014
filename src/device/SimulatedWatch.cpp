#include "device/SimulatedWatch.h"

#include <algorithm>
#include <cerrno>

#include "device/USBHID.h"
#include "records/ValueEncoding.h"

namespace tempovia {
namespace {

using Direction = ReportLogEntry::Direction;
using Outcome = ReportLogEntry::Outcome;

constexpr std::size_t kAnswerSize = 9;
constexpr std::uint8_t kNotReady = 0x00;

std::size_t Wrap(std::size_t address) {
  // The memory has 512 bytes; the bridge's address counter wraps.
  return address % kWatchImageSize;
}

}  // namespace

SimulatedWatch::SimulatedWatch(Clock& clock, const WatchImage& image) : m_clock(clock), m_image(image) {
  HidInterfaceInfo bridge;
  bridge.path = kBridgePath;
  bridge.vendorId = USBHID::kVendorId;
  bridge.productId = USBHID::kProductId;
  bridge.usagePage = USBHID::kRequiredUsagePage;
  bridge.usage = USBHID::kRequiredUsage;
  bridge.inputReportLength = static_cast<int>(kAnswerSize);
  m_interfaces.push_back(bridge);
}

void SimulatedWatch::PushPlugIn() {
  m_pulled = false;
  m_present = true;
}

std::vector<HidInterfaceInfo> SimulatedWatch::Enumerate() {
  ApplyPulledPlug();
  if (!m_present) return {};
  return m_interfaces;
}

Status SimulatedWatch::Open(const std::string& path) {
  ApplyPulledPlug();
  Close();
  if (!m_present) return Gone();
  const bool known = std::any_of(m_interfaces.begin(), m_interfaces.end(),
                                 [&](const HidInterfaceInfo& info) { return info.path == path; });
  if (!known) return Status::Error("No such device: " + path);
  if (!m_denyOpen.empty()) return Status::Error(m_denyOpen, EACCES);
  m_openPath = path;
  return Status::Ok();
}

Status SimulatedWatch::Gone() {
  return Status::Error("The watch was unplugged.");
}

void SimulatedWatch::SetFaults(const SimulatedFaults& faults) {
  m_faults = faults;
  m_reads = 0;
  m_writes = 0;
  m_transfers = 0;
}

void SimulatedWatch::Unplug() {
  m_present = false;
  m_openPath.clear();
  m_answers.clear();
  m_pendingCode = 0;
}

void SimulatedWatch::Transferred() {
  ++m_transfers;
  if (m_faults.unplugAfter != 0 && m_transfers == m_faults.unplugAfter) Unplug();
}

void SimulatedWatch::Record(Direction direction, Outcome outcome, std::vector<std::uint8_t> bytes) {
  OnReport(ReportLogEntry{direction, outcome, std::move(bytes)});
}

void SimulatedWatch::OnReport(const ReportLogEntry&) {}

Status SimulatedWatch::Write(const OutputReport& report) {
  ApplyPulledPlug();
  const std::vector<std::uint8_t> bytes(report.begin(), report.end());
  if (!m_present || !IsOpen()) {
    Record(Direction::Out, Outcome::Failed, bytes);
    return m_present ? Status::Error("The watch is not open.") : Gone();
  }
  ++m_writes;
  if (m_writes == m_faults.failWrite) {
    Record(Direction::Out, Outcome::Failed, bytes);
    Transferred();
    return Status::Error("Cannot send to the watch: simulated write failure.");
  }
  Record(Direction::Out, Outcome::Delivered, bytes);
  // Only the bridge's own collection understands commands.
  // A report that starts with the magic is taken as a command even where data
  // was due, so a lost data report does not shift every later command.
  if (m_openPath == kBridgePath) {
    if (report[1] == 'U' && report[2] == 'S' && report[3] == 'B' && report[4] == 'C')
      Command(report);
    else if (m_pendingCode != 0)
      Data(report);
  }
  Transferred();
  return Status::Ok();
}

void SimulatedWatch::Command(const OutputReport& report) {
  m_pendingCode = 0;
  const auto address = static_cast<std::uint16_t>(report[5] << 8 | report[6]);
  const std::uint8_t length = report[7];
  switch (report[8]) {
    case USBHID::kReadBlock: {
      Answer answer(kAnswerSize, 0);
      for (std::size_t i = 0; i < std::min<std::size_t>(length, 8); ++i) answer[1 + i] = m_image[Wrap(address + i)];
      m_answers.push_back(std::move(answer));
      break;
    }
    case USBHID::kReadStatus: {
      ++m_statusPolls;
      const bool ready = m_readyAfter != kNeverReady && m_statusPolls > m_readyAfter;
      Answer answer(kAnswerSize, 0);
      answer[1] = ready ? USBHID::kStatusReady : kNotReady;
      m_answers.push_back(std::move(answer));
      break;
    }
    case USBHID::kWriteBlock:
    case USBHID::kPortConfig:
    case USBHID::kPortSet:
    case USBHID::kPortMask:
      m_pendingCode = report[8];
      m_pendingAddress = address;
      m_pendingLength = length;
      break;
    default:
      break;  // the bridge ignores what it does not know
  }
}

void SimulatedWatch::Data(const OutputReport& report) {
  const std::uint8_t code = m_pendingCode;
  m_pendingCode = 0;
  if (code == USBHID::kWriteBlock) {
    for (std::size_t i = 0; i < std::min<std::size_t>(m_pendingLength, 8); ++i)
      m_image[Wrap(m_pendingAddress + i)] = report[1 + i];
    return;
  }
  if (code == USBHID::kPortSet) m_portBits = static_cast<std::uint8_t>(m_portBits | report[1]);
  if (code == USBHID::kPortMask) m_portBits = static_cast<std::uint8_t>(m_portBits & report[1]);
}

Status SimulatedWatch::Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds timeout) {
  ApplyPulledPlug();
  report.clear();
  if (!m_present || !IsOpen()) {
    Record(Direction::In, Outcome::Failed, {});
    return m_present ? Status::Error("The watch is not open.") : Gone();
  }
  ++m_reads;
  if (m_reads == m_faults.failRead) {
    Record(Direction::In, Outcome::Failed, {});
    if (!m_answers.empty()) m_answers.pop_front();
    Transferred();
    return Status::Error("Lost the connection to the watch: simulated read failure.");
  }
  if (m_reads == m_faults.timeoutRead || m_answers.empty()) {
    // The answer, if one is due, stays queued and arrives after the wait.
    m_clock.Sleep(timeout);
    Record(Direction::In, Outcome::TimedOut, {});
    Transferred();
    return Status::Error("The watch did not answer within " + std::to_string(timeout.count()) + " ms.");
  }
  report = std::move(m_answers.front());
  m_answers.pop_front();
  Record(Direction::In, Outcome::Delivered, report);
  Transferred();
  return Status::Ok();
}

void SimulatedWatch::DiscardPendingInput() {
  while (!m_answers.empty()) {
    Record(Direction::In, Outcome::Discarded, m_answers.front());
    m_answers.pop_front();
  }
}

void SimulatedWatch::CorruptChecksum(SimulatedChecksum which, int slot) {
  const int k = std::clamp(slot, 0, kSlotCount - 1);
  std::size_t at = 0;
  switch (which) {
    case SimulatedChecksum::Settings:
      at = kSettingsAddress + 6;
      break;
    case SimulatedChecksum::Clock:
      // This one sits in the memory unexchanged.
      m_image[kClockAddress + 5] = static_cast<std::uint8_t>(m_image[kClockAddress + 5] + 1);
      return;
    case SimulatedChecksum::Day:
      at = DayBlockAddress(k) + kBlockSize - 1;
      break;
    case SimulatedChecksum::Exercise:
      at = ExerciseBlockAddress(k) + kBlockSize - 1;
      break;
  }
  m_image[at] = NibbleSwap(static_cast<std::uint8_t>(NibbleSwap(m_image[at]) + 1));
}

}  // namespace tempovia
