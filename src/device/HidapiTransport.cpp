#include "device/HidapiTransport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Notice.h"
#include "device/HidReportDescriptor.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "USBHID";

// Larger than any report the bridge sends; hidraw returns one report per read.
constexpr std::size_t kReadBufferSize = 256;

std::vector<std::uint8_t> ReadDescriptor(const std::string& devicePath) {
  std::ifstream in(HidapiTransport::DescriptorPath(devicePath), std::ios::binary);
  if (!in) return {};
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != L'\0'; ++text) out += (*text >= 0x20 && *text < 0x7F) ? static_cast<char>(*text) : '?';
  return out;
}

}  // namespace

HidapiTransport::HidapiTransport() {
  hid_init();
}

HidapiTransport::~HidapiTransport() {
  Close();
}

std::string HidapiTransport::DescriptorPath(const std::string& devicePath) {
  const std::string node = std::filesystem::path(devicePath).filename().string();
  return "/sys/class/hidraw/" + node + "/device/report_descriptor";
}

std::string HidapiTransport::PermissionFix() {
  return "Install Tempovia's udev rule, which gives the person logged in at the computer access "
         "to the watch: copy 70-tempovia.rules to /etc/udev/rules.d/, run "
         "\"sudo udevadm control --reload-rules\" and \"sudo udevadm trigger\", "
         "then unplug the watch and plug it in again. "
         "\"Watch access on Linux\" in the README explains it.";
}

std::string HidapiTransport::OpenErrorText(const std::string& path, int error) {
  if (error == EACCES || error == EPERM)
    return "The watch is plugged in, but this user may not open it (" + path + ": permission denied).\n\n" +
           PermissionFix();
  if (error == ENOENT || error == ENODEV || error == ENXIO)
    return "The watch went away while Tempovia was opening it (" + path + "). Plug it in again.";
  return "Cannot open the watch (" + path + "): " + SystemErrorText(error) + ".";
}

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate() {
  std::vector<HidInterfaceInfo> found;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* d = list; d != nullptr; d = d->next) {
    if (d->path == nullptr) continue;
    HidInterfaceInfo info;
    info.path = d->path;
    info.vendorId = d->vendor_id;
    info.productId = d->product_id;
    info.usagePage = d->usage_page;
    info.usage = d->usage;
    const HidReportDescriptor descriptor = HidReportDescriptor::Parse(ReadDescriptor(info.path));
    info.inputReportLength = descriptor.InputReportLength();
    if (info.usagePage == 0 && info.usage == 0) {
      info.usagePage = descriptor.UsagePage();
      info.usage = descriptor.Usage();
    }
    found.push_back(std::move(info));
  }
  hid_free_enumeration(list);
  return found;
}

Status HidapiTransport::Open(const std::string& path) {
  Close();
  // hidapi does not say why an open failed; try the node first so that a
  // missing permission can be told apart and its fix named.
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    return Status::Error(OpenErrorText(path, error), error);
  }
  ::close(fd);

  errno = 0;
  m_device = hid_open_path(path.c_str());
  if (m_device == nullptr) {
    const int error = errno != 0 ? errno : EIO;
    return Status::Error(OpenErrorText(path, error), error);
  }
  m_path = path;
  m_numbered = HidReportDescriptor::Parse(ReadDescriptor(path)).UsesReportIds();
  return Status::Ok();
}

void HidapiTransport::Close() {
  if (m_device != nullptr) hid_close(m_device);
  m_device = nullptr;
  m_path.clear();
}

Status HidapiTransport::Write(const OutputReport& report) {
  if (m_device == nullptr) return Status::Error("The watch is not open.");
  const int written = hid_write(m_device, report.data(), report.size());
  if (written <= 0) return Status::Error("Cannot send to the watch: " + Narrow(hid_error(m_device)));
  return Status::Ok();
}

Status HidapiTransport::Read(std::vector<std::uint8_t>& report, std::chrono::milliseconds timeout) {
  report.clear();
  if (m_device == nullptr) return Status::Error("The watch is not open.");
  std::uint8_t buffer[kReadBufferSize + 1] = {};
  // Unnumbered reports arrive without their ID byte; put the 0 back in front.
  const std::size_t offset = m_numbered ? 0 : 1;
  const int count = hid_read_timeout(m_device, buffer + offset, kReadBufferSize, static_cast<int>(timeout.count()));
  if (count < 0) return Status::Error("Lost the connection to the watch: " + Narrow(hid_error(m_device)));
  if (count == 0) return Status::Error("The watch did not answer within " + std::to_string(timeout.count()) + " ms.");
  report.assign(buffer, buffer + offset + static_cast<std::size_t>(count));
  return Status::Ok();
}

void HidapiTransport::DiscardPendingInput() {
  if (m_device == nullptr) return;
  std::uint8_t buffer[kReadBufferSize];
  // The kernel queues at most a few dozen reports; the bound only guards
  // against a device that never stops sending.
  for (int i = 0; i < 64; ++i) {
    if (hid_read_timeout(m_device, buffer, sizeof buffer, 0) <= 0) return;
    TV_TRACE("Dropped an input report nobody asked for\n");
  }
}

}  // namespace tempovia
