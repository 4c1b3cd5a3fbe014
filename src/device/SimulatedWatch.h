#pragma once
// A stand-in for the watch and its USB bridge: answers the bridge's command
// set over a 512-byte memory image in stored form, like the real one. Tests
// drive the driver through it and assert the exact reports exchanged; the
// program and the command-line tool use it for a demo without a watch.
//
// Faults can be injected: a failed read or write, a read whose answer comes
// too late, a watch that never gets ready, a wrong checksum in memory, a
// watch unplugged in the middle of a transfer, and a watch this user may not
// open. Every report moved passes OnReport, where tests keep a log of them.

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "device/HidTransport.h"
#include "records/WatchLayout.h"

namespace tempovia {

// Positions count transfers from the moment the faults are set, from 1; 0
// injects nothing.
struct SimulatedFaults {
  int failRead = 0;     // the n-th read fails at once
  int failWrite = 0;    // the n-th write fails
  int timeoutRead = 0;  // the n-th read times out; its answer, if any, comes late
  int unplugAfter = 0;  // the watch is gone after the n-th transfer (read or write)
};

enum class SimulatedChecksum { Settings, Clock, Day, Exercise };

// One report the simulator moved, and what became of it.
struct ReportLogEntry {
  enum class Direction { Out, In };
  enum class Outcome { Delivered, Failed, TimedOut, Discarded };
  Direction direction = Direction::Out;
  Outcome outcome = Outcome::Delivered;
  std::vector<std::uint8_t> bytes;  // empty when nothing moved
};

class SimulatedWatch : public HidTransport {
 public:
  static constexpr const char* kBridgePath = "simulated:watch";
  // With SetReadyAfter: the status never shows ready.
  static constexpr int kNeverReady = -1;

  // The clock carries the waits of reads that time out, so a demo on the
  // system clock waits as a real bridge would.
  SimulatedWatch(Clock& clock, const WatchImage& image);

  std::vector<HidInterfaceInfo> Enumerate() override;
  Status Open(const std::string& path) override;
  bool IsOpen() const override { return !m_openPath.empty(); }
  void Close() override { m_openPath.clear(); }
  Status Write(const OutputReport& report) override;
  Status Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds timeout) override;
  void DiscardPendingInput() override;

  // The collections the device presents; the bridge's is kBridgePath. Tests
  // put others in front of it.
  std::vector<HidInterfaceInfo>& Interfaces() { return m_interfaces; }
  // Opening fails with this message, as for a missing permission (EACCES);
  // empty to allow.
  void DenyOpen(std::string message) { m_denyOpen = std::move(message); }

  // The status shows ready from the (polls + 1)-th status read on.
  void SetReadyAfter(int polls) { m_readyAfter = polls; }
  void SetFaults(const SimulatedFaults& faults);
  // Makes the stored checksum of a block wrong (slot for days and sessions).
  void CorruptChecksum(SimulatedChecksum which, int slot = 0);
  void Unplug();
  void Plug() { m_present = true; }
  bool IsPresent() const { return m_present; }
  // A person pulling the plug or pushing it back in: safe from any thread,
  // also while a transfer runs on another one (its next report finds the
  // watch gone, as a real one would).
  void PullPlug() { m_pulled = true; }
  void PushPlugIn();

  // The memory now, with what the host wrote.
  const WatchImage& Image() const { return m_image; }
  void SetImage(const WatchImage& image) { m_image = image; }

  // The port bits the port commands leave: PortSet raises bits, PortMask
  // keeps only the given ones.
  std::uint8_t PortBits() const { return m_portBits; }
  int StatusPolls() const { return m_statusPolls; }

 protected:
  // Each report written and read, in order, as it is moved; nothing here.
  virtual void OnReport(const ReportLogEntry& entry);

 private:
  using Answer = std::vector<std::uint8_t>;

  Status Gone();
  // Takes effect on the thread that talks to the watch.
  void ApplyPulledPlug() {
    if (m_pulled.exchange(false)) Unplug();
  }
  // Counts a transfer and unplugs after the chosen one.
  void Transferred();
  void Command(const OutputReport& report);
  void Data(const OutputReport& report);
  void Record(ReportLogEntry::Direction direction, ReportLogEntry::Outcome outcome, std::vector<std::uint8_t> bytes);

  Clock& m_clock;
  WatchImage m_image;
  std::vector<HidInterfaceInfo> m_interfaces;
  std::string m_openPath;
  std::string m_denyOpen;
  std::atomic<bool> m_present{true};
  std::atomic<bool> m_pulled{false};

  int m_readyAfter = 0;
  int m_statusPolls = 0;
  SimulatedFaults m_faults;
  int m_reads = 0;
  int m_writes = 0;
  int m_transfers = 0;

  // A command that waits for its data report.
  std::uint8_t m_pendingCode = 0;
  std::uint16_t m_pendingAddress = 0;
  std::uint8_t m_pendingLength = 0;
  std::deque<Answer> m_answers;

  std::uint8_t m_portBits = 0;
};

}  // namespace tempovia
