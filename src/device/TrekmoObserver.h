#pragma once
// What the watch driver tells its owner. The windows and the command-line tool
// implement it; every call comes synchronously from the driver's thread.

namespace tempovia {

// The numbers by which these events were known as window messages; the
// windows keep them where a queued event needs an identity.
constexpr int kMsgReconnected = 1025;
constexpr int kMsgDisconnected = 1026;
constexpr int kMsgProgress = 1027;

class TrekmoObserver {
 public:
  virtual ~TrekmoObserver() = default;
  // The watch was found again after an arrival.
  virtual void OnReconnected() = 0;
  // A device interface went away while the link was open.
  virtual void OnDisconnected() = 0;
  // A transfer reached the given percentage (0..100; not always rising).
  virtual void OnProgress(int percent) = 0;
};

}  // namespace tempovia
