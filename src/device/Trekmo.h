#pragma once
// The watch driver: owns the bridge link and the three record holders, and
// turns the bridge's commands into what the program needs: connect, wake the
// watch and release it, write its clock and body settings, and download its
// memory in one pass. Every operation blocks until done and returns whether it
// worked; progress goes to the observer as it happens.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "base/Clock.h"
#include "device/DeviceChange.h"
#include "device/HidTransport.h"
#include "device/USBHID.h"
#include "records/ExerciseRecord.h"
#include "records/StepRecord.h"
#include "records/UserRecord.h"
#include "records/WatchLayout.h"

namespace tempovia {

class TrekmoObserver;

class CTrekmo {
 public:
  // The transport and the clock must outlive the driver.
  CTrekmo(HidTransport& transport, Clock& clock);
  virtual ~CTrekmo();
  CTrekmo(const CTrekmo&) = delete;
  CTrekmo& operator=(const CTrekmo&) = delete;

  // Opens the bridge and configures its port; the observer (may be null)
  // receives progress, reconnect and disconnect events from now on.
  bool Connect(TrekmoObserver* observer);
  // Another window receives the events from now on (may be null).
  void SetObserver(TrekmoObserver* observer);
  TrekmoObserver* Observer() const { return m_observer; }
  // Opens the bridge again for the same observer and configures its port.
  bool Reconnect();
  bool IsConnected() const;
  // True when the link was open and has been closed.
  bool Disconnect();
  // A plug or unplug notice from the platform (DeviceMonitor).
  void OnDeviceChange(const DeviceChange& change);

  // Wakes the watch, optionally writes the settings (the user record's height,
  // weight and stride) and the clock, reads the user record, the seven days
  // and the sessions, and releases the watch. False when anything failed; the
  // record holders then offer no valid day or session.
  bool Download(bool writeSettings, bool writeClock);
  // Writes the current local time; text receives it as "YYYY-MM-DD, hh:mm".
  bool WriteClock(std::string& text, bool wake);
  // Writes the user record's height, weight and walking stride.
  bool WriteSettings(bool wake);
  // Reads and decodes the exercise half of the memory.
  bool ReadExercises(bool wake);
  // Wakes the watch, reads its whole memory in stored form and releases it.
  // The image is only changed when every block was read.
  bool ReadImage(WatchImage& image);

  bool InitPort();
  // Handshake on: waits for the watch to report ready and switches it into
  // transfer mode. Handshake off: only reports progress.
  bool Wake();
  // Handshake on: switches the watch back out of transfer mode.
  bool Release();

  // Asks an operation running on another thread to end at its next report
  // or pause; it then fails. Cleared by the next Connect.
  void RequestStop() { m_link.RequestStop(); }
  void ClearStop() { m_link.ClearStop(); }

  // When off, transfers are not framed by Wake and Release.
  void SetHandshake(bool on) { m_handshake = on; }
  bool Handshake() const { return m_handshake; }

  // The text of the clock last written.
  const std::string& SyncTimeText() const { return m_syncTimeText; }
  // Why the last failed operation failed (its first fault), in words for the user.
  const std::string& LastError() const { return m_lastError; }

  UserRecord& GetUserRecord() { return m_userRecord; }
  const UserRecord& GetUserRecord() const { return m_userRecord; }
  const StepRecord& GetStepRecord() const { return m_stepRecord; }
  const CExerciseRecord& GetExerciseRecord() const { return m_exerciseRecord; }
  USBHID& Link() { return m_link; }

  // Status reads before a wake gives up on the watch.
  static constexpr int kStatusPolls = 50;

 private:
  void Progress(int percent);
  void Sleep(int ms);
  enum class Readiness { Ready, NotReady, Silent };
  // Polls the status until the ready bit shows, at most kStatusPolls times.
  Readiness WaitReady(bool reportProgress);
  bool NotReady(Readiness readiness);
  // Releases a watch the wake may have left in transfer mode; returns failed.
  bool AbandonWake(bool failed);
  // Progress 0, the wake when asked, the write, progress 50, the release
  // after a wake, progress 100.
  bool WriteFramed(bool wake, const std::function<bool()>& write);
  bool WriteBlockAndFlag(std::uint16_t address, std::span<const std::uint8_t> bytes, std::uint8_t flag);
  // Reads the flags byte and writes it back with the bit set.
  bool UpdateFlags(std::uint8_t bit);
  bool ReadInto(std::uint16_t address, std::uint8_t* out);
  bool Failed(const std::string& reason);
  // After a failed download: nothing read may pass for watch data.
  void DiscardDownload(int height, int weight, int stride);

  Clock& m_clock;
  USBHID m_link;
  TrekmoObserver* m_observer = nullptr;
  std::string m_syncTimeText;
  bool m_handshake = true;
  std::string m_lastError;
  UserRecord m_userRecord;
  StepRecord m_stepRecord;
  CExerciseRecord m_exerciseRecord;
};

}  // namespace tempovia
