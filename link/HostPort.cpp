#include "link/HostPort.h"

#include "link/HostLink.h"
#include "link/Notifier.h"

namespace veyra {

HostPort::~HostPort() { Shutdown(); }

void HostPort::SetOwner(HostLink* link) {
  std::lock_guard delivery(deliveryMutex_);
  std::lock_guard lock(mutex_);
  owner_ = link;
}

HostLink* HostPort::Owner() const {
  std::lock_guard lock(mutex_);
  return owner_;
}

void HostPort::ClearReceived() {
  std::lock_guard lock(mutex_);
  rx_.Clear();
}

std::size_t HostPort::ReceivedSize() const {
  std::lock_guard lock(mutex_);
  return rx_.Size();
}

void HostPort::SetTrace(TraceFn trace) {
  std::lock_guard lock(traceMutex_);
  trace_ = std::move(trace);
}

HostPort::TraceFn HostPort::Trace() {
  std::lock_guard lock(traceMutex_);
  return trace_;
}

void HostPort::SendFrame(const Bytes& frame) {
  replyEvent_.Reset();
  {
    std::lock_guard lock(traceMutex_);
    if (trace_) trace_(true, frame);
  }
  Write(frame.data(), frame.size());
}

int HostPort::WaitReply(int milliseconds) {
  return replyEvent_.WaitFor(milliseconds, [] { Messages().KeepAlive(); }) ? 1 : 0;
}

void HostPort::AwaitDelivery() { std::lock_guard delivery(deliveryMutex_); }

void HostPort::OnEvent(SerialChannel* port, PortEvent kind) {
  if (!port || static_cast<int>(kind) >= kPortEventCount) return;
  if (kind == PortEvent::DataReceived) {
    AppendReceived(LastReadCount(), ReadBuffer());
    return;
  }
  SerialChannel::OnEvent(port, kind);
  if (kind == PortEvent::Disconnected && LineLost()) {
    replyEvent_.Abandon();
    Messages().Show(OwnedMessage(kLineLostText));
    // Held so the owner cannot be detached and destroyed while it is told.
    std::lock_guard delivery(deliveryMutex_);
    if (HostLink* owner = Owner()) owner->OnLineLost();
  }
}

void HostPort::AppendReceived(std::size_t count, const std::uint8_t* bytes) {
  for (std::size_t i = 0; i < count; ++i) {
    std::unique_lock delivery(deliveryMutex_);
    RxBuffer::Result result;
    HostLink* owner = nullptr;
    {
      std::lock_guard lock(mutex_);
      owner = owner_;
      result = rx_.Append(bytes[i], owner != nullptr);
    }
    if (result.signalled == 0) continue;
    replyEvent_.Set();
    if (!result.delivered) continue;
    {
      std::lock_guard lock(traceMutex_);
      if (trace_) trace_(false, result.frame);
    }
    owner->OnReply(owner->SentFrame(), result.frame);
  }
}

}  // namespace veyra
