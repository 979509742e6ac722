// The program's single serial port with its frame layer: the receive buffer, the reply event
// and the owner link that recognised frames are handed to.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

#include "link/AnswerLedger.h"
#include "link/Frame.h"
#include "link/FrameRecognizer.h"
#include "link/ReplyEvent.h"
#include "link/SerialChannel.h"
#include "link/Translatable.h"

namespace veyra {

class HostLink;

// Shown once each time the line goes away without being closed (unplugged adapter, host hung up).
inline constexpr const char* kLineLostText = QT_TRANSLATE_NOOP("veyra", "Связь с хостом потеряна!");

// What a trace line says of a frame.
enum class TraceKind {
  Sent,
  Received,
  Repeat,  // received, a copy of the answer the host sent for a copy of the command: dropped
  Late,    // received while the next command waited for the line to settle: handed over as the
           // last command's
  Stale,   // the same, for a link that takes no such frames: dropped
};

class HostPort : public SerialChannel {
 public:
  using TraceFn = std::function<void(TraceKind kind, const Bytes& frame)>;

  HostPort() = default;
  ~HostPort() override;

  void SetOwner(HostLink* link);
  HostLink* Owner() const;
  void ClearReceived();
  // Before a command's first attempt: waits, bounded and keeping the window alive, until the host
  // owes no more copies of the last command's answer, dropping what comes meanwhile; then starts
  // the books of the new exchange. Returns at once when the last exchange was answered in time.
  void BeginExchange(int waittimeMs);
  // For a program about to give the port up: waits (bounded) until a slow host has sent the copies
  // it owes of an answer it gave, so they cannot reach whoever opens the port next. Returns at once
  // when nothing answered is owed. Call while the link that sent is still the owner.
  void AwaitOwedCopies();
  // True once a frame answered the exchange begun last.
  bool AnswerArrived() const;
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
  void TraceFrame(TraceKind kind, const Bytes& frame);
  // Waits, keeping the window alive, until the ledger owes nothing or no longer expects it;
  // frames that come meanwhile and repeat nothing are the last command's, late.
  void Settle(std::unique_lock<std::mutex>& lock);

  mutable std::mutex mutex_;  // RxBuffer, Owner and the ledger
  std::condition_variable settled_;
  AnswerLedger ledger_;
  unsigned ledgerOpenCount_ = 0;  // the open the ledger's books are of
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
