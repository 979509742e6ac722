// The program's single serial port with its frame layer: the receive buffer, the reply event
// and the owner link that recognised frames are handed to.
#pragma once

#include <functional>
#include <mutex>

#include "link/Frame.h"
#include "link/FrameRecognizer.h"
#include "link/ReplyEvent.h"
#include "link/SerialChannel.h"
#include "link/Translatable.h"

namespace veyra {

class HostLink;

// Shown once each time the line goes away without being closed (unplugged adapter, host hung up).
inline constexpr const char* kLineLostText = QT_TRANSLATE_NOOP("veyra", "Связь с хостом потеряна!");

class HostPort : public SerialChannel {
 public:
  // sent: true for a frame written, false for one recognised.
  using TraceFn = std::function<void(bool sent, const Bytes& frame)>;

  HostPort() = default;
  ~HostPort() override;

  void SetOwner(HostLink* link);
  HostLink* Owner() const;
  void ClearReceived();
  void SendFrame(const Bytes& frame);
  int WaitReply(int milliseconds);
  // Returns once the frame being handed to the owner, if any, has been handed over. The reply
  // event is set just before that hand-over, so a wait that saw the event calls this to know
  // OnReply has run.
  void AwaitDelivery();

  // Reader-thread side, public for tests that feed bytes without a device.
  void AppendReceived(std::size_t count, const std::uint8_t* bytes);

  std::size_t ReceivedSize() const;
  void SetTrace(TraceFn trace);
  TraceFn Trace();  // the one set last, so another sink can be put beside it

 protected:
  void OnEvent(SerialChannel* port, PortEvent kind) override;

 private:
  mutable std::mutex mutex_;  // RxBuffer and Owner
  // Held while a frame is being handed to the owner, so ownership cannot move away (and the old
  // owner be destroyed) in the middle of OnReply.
  std::recursive_mutex deliveryMutex_;
  RxBuffer rx_;
  HostLink* owner_ = nullptr;
  ReplyEvent replyEvent_;
  std::mutex traceMutex_;
  TraceFn trace_;
};

}  // namespace veyra
