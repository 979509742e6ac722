// One opening of an in-process device: the bytes on their way to the program, the reasons its
// reader thread wakes, and the peer its writes go to. Shared by the channel, which holds it while
// open, the peer, which holds it as its InProcessLine, and the registry, which hangs it up.
#pragma once

#include <condition_variable>
#include <mutex>

#include "link/Frame.h"
#include "link/InProcessDevice.h"

namespace veyra {

class InProcessConnection final : public InProcessLine {
 public:
  explicit InProcessConnection(InProcessPeer* peer) : peer_(peer) {}

  // InProcessLine, for the peer.
  bool Send(const std::uint8_t* bytes, std::size_t count) override;
  void HangUp() override;

  // What the reader thread waits for and takes in one go.
  struct Wakeup {
    Bytes bytes;          // sent by the peer, in order
    bool hungUp = false;  // after these bytes, the line is gone
  };
  // Waits until the peer sent bytes or hung up, or Wake was called, or stop() holds.
  template <typename Stop>
  Wakeup Wait(Stop stop) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [&] { return stop() || woken_ || hungUp_ || !toProgram_.empty(); });
    woken_ = false;
    Wakeup wakeup;
    wakeup.bytes.swap(toProgram_);
    wakeup.hungUp = hungUp_;
    return wakeup;
  }
  // A write request or a stop for the reader thread.
  void Wake();

  // The program's side: a written block for the peer, and the end of this opening (once; later
  // calls do nothing). After Close no call reaches the peer and Send refuses.
  void Deliver(const std::uint8_t* bytes, std::size_t count);
  void Opened(const std::shared_ptr<InProcessConnection>& self);
  void Close();
  bool Closed() const;
  // Until Close has told the peer: the device is busy meanwhile.
  bool Attached();
  // The registration ended: the peer is cut off before it goes, and the program loses the line.
  void Unplug();

 private:
  mutable std::mutex mutex_;
  std::condition_variable ready_;
  Bytes toProgram_;
  bool woken_ = false;
  bool hungUp_ = false;
  bool closed_ = false;

  // Held over every call into the peer, so that cutting it off waits for the call in progress.
  std::mutex peerMutex_;
  InProcessPeer* peer_;
};

}  // namespace veyra
