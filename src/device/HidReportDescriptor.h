#pragma once
// What the hidraw backend needs to know of an interface's report descriptor:
// whether its reports are numbered (hidraw then leaves the ID byte out of
// unnumbered input reports, which the rest of the program expects at byte 0),
// the usage of its first application collection, and its report lengths
// counted as the original platform counts them, report ID byte included.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tempovia {

class HidReportDescriptor {
 public:
  // Reads the items of a descriptor; a truncated or malformed descriptor gives
  // what could be read up to the fault.
  static HidReportDescriptor Parse(const std::uint8_t* bytes, std::size_t length);
  static HidReportDescriptor Parse(const std::vector<std::uint8_t>& bytes) { return Parse(bytes.data(), bytes.size()); }

  bool UsesReportIds() const { return m_usesReportIds; }
  std::uint16_t UsagePage() const { return m_usagePage; }
  std::uint16_t Usage() const { return m_usage; }
  int InputReportLength() const { return m_inputReportLength; }
  int OutputReportLength() const { return m_outputReportLength; }
  bool Complete() const { return m_complete; }

 private:
  bool m_usesReportIds = false;
  std::uint16_t m_usagePage = 0;
  std::uint16_t m_usage = 0;
  int m_inputReportLength = 0;
  int m_outputReportLength = 0;
  bool m_complete = true;
};

}  // namespace tempovia
