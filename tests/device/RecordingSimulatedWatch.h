#pragma once
// The watch simulator with a log of every report it moved, so tests can
// assert the exact exchange.

#include <vector>

#include "device/SimulatedWatch.h"

namespace tempovia::test {

class RecordingSimulatedWatch final : public SimulatedWatch {
 public:
  using SimulatedWatch::SimulatedWatch;

  const std::vector<ReportLogEntry>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }

 protected:
  void OnReport(const ReportLogEntry& entry) override { m_log.push_back(entry); }

 private:
  std::vector<ReportLogEntry> m_log;
};

}  // namespace tempovia::test
