#include "device/Trekmo.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "device/TrekmoObserver.h"
#include "records/ValueEncoding.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "Trekmo";

constexpr std::uint8_t kReportId = 0;
constexpr std::uint8_t kBlockLength = 8;

USBHID::Data Bytes(std::uint8_t first, std::uint8_t second = 0) {
  return USBHID::Data{first, second, 0, 0, 0, 0, 0, 0};
}

std::uint8_t High(std::uint16_t address) {
  return static_cast<std::uint8_t>(address >> 8);
}

std::uint8_t Low(std::uint16_t address) {
  return static_cast<std::uint8_t>(address & 0xFF);
}

}  // namespace

CTrekmo::CTrekmo(HidTransport& transport, Clock& clock) : m_clock(clock), m_link(transport) {}

CTrekmo::~CTrekmo() {
  m_link.Close();
}

bool CTrekmo::Connect(TrekmoObserver* observer) {
  m_observer = observer;
  m_link.ClearStop();
  return Reconnect();
}

void CTrekmo::SetObserver(TrekmoObserver* observer) {
  m_observer = observer;
  m_link.SetNotify(observer);
}

bool CTrekmo::Reconnect() {
  m_lastError.clear();
  if (!m_link.Open(m_observer)) return Failed(m_link.LastError());
  if (InitPort()) return true;
  // A bridge whose port could not be set up must not pass for a connected one.
  m_link.Close();
  return false;
}

bool CTrekmo::IsConnected() const {
  return m_link.IsOpen();
}

bool CTrekmo::Disconnect() {
  if (!m_link.IsOpen()) return false;
  return m_link.Close();
}

void CTrekmo::OnDeviceChange(const DeviceChange& change) {
  switch (change.event) {
    case kDeviceNodesChanged:
      break;
    case kDeviceArrival:
      if (!m_link.IsOpen()) m_link.OnArrival(change);
      break;
    case kDeviceRemoveComplete:
      switch (change.deviceType) {
        case kDeviceTypeVolume:
          TV_TRACE("DBT_DEVTYP_VOLUME\n");
          break;
        case kDeviceTypePort:
          TV_TRACE("DBT_DEVTYP_PORT\n");
          break;
        case kDeviceTypeInterface:
          TV_TRACE("DBT_DEVTYP_DEVICEINTERFACE\n");
          if (m_link.IsOpen() && m_observer != nullptr) m_observer->OnDisconnected();
          break;
        default:
          TV_TRACE("device type : %d\n", change.deviceType);
          break;
      }
      break;
    default:
      TV_TRACE("Unknown USB event : %X, %X\n", static_cast<unsigned>(change.event),
               static_cast<unsigned>(change.deviceType));
      break;
  }
}

void CTrekmo::Progress(int percent) {
  if (m_observer != nullptr) m_observer->OnProgress(percent);
}

void CTrekmo::Sleep(int ms) {
  if (m_link.StopRequested()) return;  // a stopped transfer has nothing to wait for
  m_clock.Sleep(std::chrono::milliseconds(ms));
}

bool CTrekmo::Failed(const std::string& reason) {
  // The first fault explains the failure; what fails after it (a release of
  // an unplugged watch, say) only follows from it.
  if (m_lastError.empty()) m_lastError = reason;
  return false;
}

bool CTrekmo::InitPort() {
  TV_TRACE("InitPort\n");
  Sleep(50);
  // All three are sent whatever happens, but the port only counts as set up
  // when every one arrived.
  bool ok = m_link.PortConfig(kReportId, Bytes(0x15, 0x59));
  Sleep(50);
  ok = m_link.PortSet(kReportId, Bytes(0x00)) && ok;
  Sleep(100);
  ok = m_link.PortMask(kReportId, Bytes(0xBF)) && ok;
  return ok ? true : Failed(m_link.LastError());
}

CTrekmo::Readiness CTrekmo::WaitReady(bool reportProgress) {
  for (int i = 0; i < kStatusPolls; ++i) {
    std::uint8_t status = 0;
    // A status read without an answer means a silent bridge, not a busy
    // watch: give up at once instead of waiting out fifty time-outs.
    if (!m_link.ReadStatus(kReportId, status)) return Readiness::Silent;
    if (status & USBHID::kStatusReady) return Readiness::Ready;
    Sleep(100);
    if (reportProgress) Progress(i / 10);
  }
  return Readiness::NotReady;
}

bool CTrekmo::NotReady(Readiness readiness) {
  return Failed(readiness == Readiness::Silent ? m_link.LastError() : "The watch did not get ready for the transfer.");
}

bool CTrekmo::Wake() {
  if (!m_handshake) {
    Progress(20);
    return true;
  }

  const Readiness first = WaitReady(true);
  Progress(5);
  if (first != Readiness::Ready) return NotReady(first);

  bool ok = m_link.PortConfig(kReportId, Bytes(0x1A, 0x59));
  if (ok) {
    Sleep(50);
    ok = m_link.PortSet(kReportId, Bytes(0x04));
  }
  if (ok) {
    Sleep(50);
    ok = m_link.PortMask(kReportId, Bytes(0xF7));
  }
  if (!ok) return AbandonWake(Failed(m_link.LastError()));

  for (int percent : {8, 10, 12, 15}) {
    Sleep(500);
    Progress(percent);
  }
  const Readiness second = WaitReady(false);
  if (second != Readiness::Ready) return AbandonWake(NotReady(second));
  Progress(20);
  return true;
}

bool CTrekmo::AbandonWake(bool failed) {
  // The watch may already be in transfer mode: take it out again rather than
  // leave it there after the last attempt.
  Release();
  return failed;
}

bool CTrekmo::Release() {
  if (!m_handshake) return true;
  // Each command is tried even after one failed: a watch left in transfer
  // mode is worse than a wasted report.
  bool ok = m_link.PortConfig(kReportId, Bytes(0x1A, 0x59));
  Sleep(50);
  ok = m_link.PortMask(kReportId, Bytes(0xFB)) && ok;
  Sleep(50);
  ok = m_link.PortSet(kReportId, Bytes(0x08)) && ok;
  Sleep(500);
  return ok ? true : Failed(m_link.LastError());
}

bool CTrekmo::UpdateFlags(std::uint8_t bit) {
  // Without the current byte a write would clear the other flag.
  if (!m_link.ReadBlock(kReportId, 0, Low(kFlagsAddress), 1)) return Failed(m_link.LastError());
  const std::uint8_t flags = m_link.InputReport()[1];  // stored form, kept as it comes
  if (!m_link.WriteBlock(kReportId, 0, Low(kFlagsAddress), 1, Bytes(static_cast<std::uint8_t>(flags | bit))))
    return Failed(m_link.LastError());
  return true;
}

bool CTrekmo::WriteFramed(bool wake, const std::function<bool()>& write) {
  m_lastError.clear();
  Progress(0);
  const bool woke = !wake || Wake();
  bool ok = woke && write();
  Progress(50);
  if (wake && woke) ok = Release() && ok;
  Progress(100);
  return ok;
}

bool CTrekmo::WriteBlockAndFlag(std::uint16_t address, std::span<const std::uint8_t> bytes, std::uint8_t flag) {
  USBHID::Data data{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), data.size()), data.begin());
  const auto length = static_cast<std::uint8_t>(std::min(bytes.size(), data.size()));
  // The flag tells the watch a host wrote the block; never raise it for a
  // block that did not arrive.
  if (!m_link.WriteBlock(kReportId, High(address), Low(address), length, data)) return Failed(m_link.LastError());
  return UpdateFlags(flag);
}

bool CTrekmo::WriteClock(std::string& text, bool wake) {
  return WriteFramed(wake, [&] {
    const LocalDateTime now = m_clock.Now();
    if (now.Year() < 2000 || now.Year() > 2099)
      return Failed("The computer's clock is set outside the years 2000 to 2099, which the watch cannot keep.");
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d-%02d, %02d:%02d", now.Year(), now.Month(), now.Day(), now.hour,
                  now.minute);
    text = m_syncTimeText = buffer;
    const auto block = EncodeClockBlock(now.Year() - 2000, now.Month(), now.Day(), now.hour, now.minute);
    return WriteBlockAndFlag(kClockAddress, block, kFlagClockWritten);
  });
}

bool CTrekmo::WriteSettings(bool wake) {
  return WriteFramed(wake, [&] {
    const auto block = EncodeSettingsBlock(m_userRecord.Height(), m_userRecord.Weight(), m_userRecord.Stride());
    return WriteBlockAndFlag(kSettingsAddress, block, kFlagSettingsWritten);
  });
}

bool CTrekmo::ReadInto(std::uint16_t address, std::uint8_t* out) {
  if (!m_link.ReadBlock(kReportId, High(address), Low(address), kBlockLength)) return Failed(m_link.LastError());
  std::copy_n(m_link.InputReport().begin() + 1, kBlockLength, out);
  return true;
}

void CTrekmo::DiscardDownload(int height, int weight, int stride) {
  m_userRecord.Clear();
  m_stepRecord.Clear();
  m_exerciseRecord.Clear();
  // A retry writes the same settings as the first attempt.
  m_userRecord.SetHeight(height);
  m_userRecord.SetWeight(weight);
  m_userRecord.SetStride(stride);
}

bool CTrekmo::Download(bool writeSettings, bool writeClock) {
  const int height = m_userRecord.Height();
  const int weight = m_userRecord.Weight();
  const int stride = m_userRecord.Stride();
  m_lastError.clear();
  Progress(0);
  if (!Wake()) {
    Progress(100);
    DiscardDownload(height, weight, stride);
    return false;
  }

  // Any failed transfer fails the attempt: blocks left unread are zeros, and
  // zero blocks pass their checksums as days and sessions of 1 January 2000.
  bool ok = true;
  if (writeSettings) {
    Sleep(100);
    m_userRecord.SetHeight(height);
    m_userRecord.SetWeight(weight);
    m_userRecord.SetStride(stride);
    ok = WriteSettings(false);
    Sleep(100);
  }
  Progress(80);
  if (writeClock && ok) {
    Sleep(100);
    ok = WriteClock(m_syncTimeText, false);
    Sleep(100);
  }

  m_userRecord.Clear();
  std::uint8_t block[kBlockLength];
  if (ok) ok = ReadInto(0, block);  // the first answer is not used
  for (int n = 0; ok && n < kUserRecordLength; n += kBlockLength) {
    ok = ReadInto(static_cast<std::uint16_t>(n), block);
    for (int i = 0; ok && i < kBlockLength && m_userRecord.RawLength() < kUserRecordLength; ++i)
      m_userRecord.Append(NibbleSwap(block[i]));
    if (ok) Progress(n * 20 / kUserRecordLength + 20);
  }

  Progress(40);
  m_stepRecord.Clear();
  for (int k = 0; ok && k < kSlotCount; ++k) {
    std::uint16_t address = DayBlockAddress(k);
    for (int taken = 0; ok && taken < kBlockSize; taken += kBlockLength) {
      ok = ReadInto(address, block);
      for (int i = 0; ok && i < kBlockLength; ++i) m_stepRecord.Append(k, NibbleSwap(block[i]));
      address = static_cast<std::uint16_t>(address + kBlockLength);
    }
    if (ok) Progress(k * 50 / kSlotCount + 40);
  }
  Progress(60);

  if (ok && !m_userRecord.Decode()) ok = Failed("The watch's settings failed their checksum.");
  if (ok) ok = m_stepRecord.Decode() && ReadExercises(false);
  // Leave the watch out of transfer mode whatever happened since the wake.
  ok = Release() && ok;

  if (!ok) DiscardDownload(height, weight, stride);
  Progress(100);
  return ok;
}

bool CTrekmo::ReadExercises(bool wake) {
  m_lastError.clear();
  Progress(50);
  if (wake && !Wake()) {
    Progress(100);
    return false;
  }
  m_exerciseRecord.Clear();
  std::uint8_t block[kBlockLength];
  bool ok = ReadInto(kExerciseHalfAddress, block);  // the first answer is not used
  for (int a = kExerciseHalfAddress; ok && a < static_cast<int>(kWatchImageSize); a += kBlockLength) {
    ok = ReadInto(static_cast<std::uint16_t>(a), block);
    for (int i = 0; ok && i < kBlockLength; ++i) m_exerciseRecord.Append(NibbleSwap(block[i]));
    if (ok) Progress((a * 50 + 400) / 512 + 50);
  }
  if (wake) ok = Release() && ok;
  // Sessions in blocks left unread would decode as valid zero sessions.
  if (ok)
    m_exerciseRecord.Decode();
  else
    m_exerciseRecord.Clear();
  Progress(100);
  return ok;
}

bool CTrekmo::ReadImage(WatchImage& image) {
  m_lastError.clear();
  Progress(0);
  if (!Wake()) {
    Progress(100);
    return false;
  }
  WatchImage read{};
  std::uint8_t block[kBlockLength];
  bool ok = ReadInto(0, block);  // the first answer is not used, as in a download
  for (std::size_t a = 0; ok && a < kWatchImageSize; a += kBlockLength) {
    ok = ReadInto(static_cast<std::uint16_t>(a), block);
    if (!ok) break;
    std::copy_n(block, kBlockLength, read.begin() + static_cast<std::ptrdiff_t>(a));
    Progress(20 + static_cast<int>((a + kBlockLength) * 75 / kWatchImageSize));
  }
  ok = Release() && ok;
  if (ok) image = read;
  Progress(100);
  return ok;
}

}  // namespace tempovia
