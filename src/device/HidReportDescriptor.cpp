#include "device/HidReportDescriptor.h"

#include <algorithm>
#include <map>

namespace tempovia {
namespace {

// Item types and tags of the HID report descriptor format.
constexpr int kTypeMain = 0;
constexpr int kTypeGlobal = 1;
constexpr int kTypeLocal = 2;

constexpr int kMainInput = 0x8;
constexpr int kMainOutput = 0x9;
constexpr int kMainCollection = 0xA;
constexpr int kMainEndCollection = 0xC;

constexpr int kGlobalUsagePage = 0x0;
constexpr int kGlobalReportSize = 0x7;
constexpr int kGlobalReportId = 0x8;
constexpr int kGlobalReportCount = 0x9;
constexpr int kGlobalPush = 0xA;
constexpr int kGlobalPop = 0xB;

constexpr int kLocalUsage = 0x0;

constexpr std::uint32_t kCollectionApplication = 0x01;
constexpr std::uint8_t kLongItemPrefix = 0xFE;

struct Globals {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;
};

// The longest report in bytes plus the report ID byte, which is counted even
// where reports are unnumbered.
int BytesOf(const std::map<std::uint32_t, std::uint64_t>& bitsById) {
  std::uint64_t longest = 0;
  for (const auto& [id, bits] : bitsById) longest = std::max(longest, bits);
  if (longest == 0) return 0;
  return static_cast<int>(std::min<std::uint64_t>((longest + 7) / 8 + 1, 0x10000));
}

}  // namespace

namespace {

// What the items have said so far, read one item at a time.
class ItemWalk {
 public:
  void Main(int tag, std::uint32_t value) {
    const std::uint64_t bits = static_cast<std::uint64_t>(m_globals.reportSize) * m_globals.reportCount;
    if (tag == kMainInput) {
      inputBits[m_globals.reportId] += bits;
    } else if (tag == kMainOutput) {
      outputBits[m_globals.reportId] += bits;
    } else if (tag == kMainCollection) {
      if (m_depth == 0 && value == kCollectionApplication && !haveApplication) StartApplication();
      ++m_depth;
    } else if (tag == kMainEndCollection) {
      if (m_depth > 0) --m_depth;
    }
    m_usages.clear();  // local items end with each main item
  }

  void Global(int tag, std::uint32_t value) {
    switch (tag) {
      case kGlobalUsagePage:
        m_globals.usagePage = value;
        break;
      case kGlobalReportSize:
        m_globals.reportSize = value;
        break;
      case kGlobalReportId:
        m_globals.reportId = value;
        usesReportIds = true;
        break;
      case kGlobalReportCount:
        m_globals.reportCount = value;
        break;
      case kGlobalPush:
        m_stack.push_back(m_globals);
        break;
      case kGlobalPop:
        if (!m_stack.empty()) {
          m_globals = m_stack.back();
          m_stack.pop_back();
        }
        break;
      default:
        break;
    }
  }

  void Local(int tag, std::uint32_t value) {
    if (tag == kLocalUsage) m_usages.push_back(value);
  }

  bool usesReportIds = false;
  bool haveApplication = false;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::map<std::uint32_t, std::uint64_t> inputBits;
  std::map<std::uint32_t, std::uint64_t> outputBits;

 private:
  // The first top-level application collection names the device's usage.
  void StartApplication() {
    haveApplication = true;
    usagePage = static_cast<std::uint16_t>(m_globals.usagePage);
    if (m_usages.empty()) return;
    // A four-byte usage carries its own page in the high half.
    const std::uint32_t first = m_usages.front();
    if (first > 0xFFFF) usagePage = static_cast<std::uint16_t>(first >> 16);
    usage = static_cast<std::uint16_t>(first);
  }

  Globals m_globals;
  std::vector<Globals> m_stack;
  std::vector<std::uint32_t> m_usages;
  int m_depth = 0;
};

}  // namespace

HidReportDescriptor HidReportDescriptor::Parse(const std::uint8_t* bytes, std::size_t length) {
  HidReportDescriptor result;
  ItemWalk walk;
  std::size_t i = 0;
  while (i < length) {
    const std::uint8_t prefix = bytes[i];
    if (prefix == kLongItemPrefix) {
      // Long items carry no report layout; skip them whole.
      if (i + 1 >= length) {
        result.m_complete = false;
        break;
      }
      i += 3 + static_cast<std::size_t>(bytes[i + 1]);
      continue;
    }
    const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
    const int type = (prefix >> 2) & 0x03;
    const int tag = prefix >> 4;
    if (i + 1 + size > length) {
      result.m_complete = false;
      break;
    }
    std::uint32_t value = 0;
    for (std::size_t b = 0; b < size; ++b) value |= static_cast<std::uint32_t>(bytes[i + 1 + b]) << (8 * b);
    i += 1 + size;
    if (type == kTypeMain) {
      walk.Main(tag, value);
    } else if (type == kTypeGlobal) {
      walk.Global(tag, value);
    } else if (type == kTypeLocal) {
      walk.Local(tag, value);
    }
  }
  result.m_usesReportIds = walk.usesReportIds;
  result.m_usagePage = walk.usagePage;
  result.m_usage = walk.usage;
  result.m_inputReportLength = BytesOf(walk.inputBits);
  result.m_outputReportLength = BytesOf(walk.outputBits);
  return result;
}

}  // namespace tempovia
