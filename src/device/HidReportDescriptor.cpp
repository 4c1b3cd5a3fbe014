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

HidReportDescriptor HidReportDescriptor::Parse(const std::uint8_t* bytes, std::size_t length) {
  HidReportDescriptor result;
  Globals globals;
  std::vector<Globals> stack;
  std::vector<std::uint32_t> usages;
  std::map<std::uint32_t, std::uint64_t> inputBits;
  std::map<std::uint32_t, std::uint64_t> outputBits;
  int depth = 0;
  bool haveApplication = false;

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
      const std::uint64_t bits = static_cast<std::uint64_t>(globals.reportSize) * globals.reportCount;
      if (tag == kMainInput) {
        inputBits[globals.reportId] += bits;
      } else if (tag == kMainOutput) {
        outputBits[globals.reportId] += bits;
      } else if (tag == kMainCollection) {
        if (depth == 0 && value == kCollectionApplication && !haveApplication) {
          haveApplication = true;
          result.m_usagePage = static_cast<std::uint16_t>(globals.usagePage);
          if (!usages.empty()) {
            // A four-byte usage carries its own page in the high half.
            const std::uint32_t usage = usages.front();
            if (usage > 0xFFFF) result.m_usagePage = static_cast<std::uint16_t>(usage >> 16);
            result.m_usage = static_cast<std::uint16_t>(usage);
          }
        }
        ++depth;
      } else if (tag == kMainEndCollection) {
        if (depth > 0) --depth;
      }
      usages.clear();  // local items end with each main item
    } else if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalUsagePage:
          globals.usagePage = value;
          break;
        case kGlobalReportSize:
          globals.reportSize = value;
          break;
        case kGlobalReportId:
          globals.reportId = value;
          result.m_usesReportIds = true;
          break;
        case kGlobalReportCount:
          globals.reportCount = value;
          break;
        case kGlobalPush:
          stack.push_back(globals);
          break;
        case kGlobalPop:
          if (!stack.empty()) {
            globals = stack.back();
            stack.pop_back();
          }
          break;
        default:
          break;
      }
    } else if (type == kTypeLocal && tag == kLocalUsage) {
      usages.push_back(value);
    }
  }

  result.m_inputReportLength = BytesOf(inputBits);
  result.m_outputReportLength = BytesOf(outputBits);
  return result;
}

}  // namespace tempovia
