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
  // A copy a slow host still owes may be half received: cut, its rest would no longer match the
  // answer it repeats. The next exchange clears the buffer once the line has settled.
  if (!ledger_.Owes()) rx_.Clear();
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

void HostPort::TraceFrame(TraceKind kind, const Bytes& frame) {
  std::lock_guard lock(traceMutex_);
  if (trace_) trace_(kind, frame);
}

void HostPort::Settle(std::unique_lock<std::mutex>& lock) {
  using Clock = AnswerLedger::Clock;
  ledger_.StartSettling(Clock::now());
  for (;;) {
    const std::optional<Clock::time_point> deadline = ledger_.SettleDeadline();
    const Clock::time_point now = Clock::now();
    if (!deadline || now >= *deadline || LineLost()) break;
    // In slices, so the window paints while it waits.
    settled_.wait_until(lock, std::min(*deadline, now + std::chrono::milliseconds(20)));
    lock.unlock();
    Messages().KeepAlive();
    lock.lock();
  }
}

void HostPort::BeginExchange(int waittimeMs) {
  std::unique_lock lock(mutex_);
  // Judged here, on the sending thread, not when the reader reports the line connected: that
  // report may come after the first command is on its way.
  if (ledgerOpenCount_ != OpenCount()) {
    ledger_.Reset();  // a new line owes nothing
    ledgerOpenCount_ = OpenCount();
    rx_.Clear();
  }
  const bool owed = ledger_.Owes();
  Settle(lock);
  if (owed) rx_.Clear();  // what ClearReceived left for the line to settle
  ledger_.Begin(AnswerLedger::Clock::now(), waittimeMs);
}

void HostPort::AwaitOwedCopies() {
  std::unique_lock lock(mutex_);
  if (ledgerOpenCount_ != OpenCount() || !ledger_.Answered() || !ledger_.Owes()) return;
  Settle(lock);
}

bool HostPort::AnswerArrived() const {
  std::lock_guard lock(mutex_);
  return ledger_.Answered();
}

void HostPort::SendFrame(const Bytes& frame) {
  replyEvent_.Reset();
  {
    std::lock_guard lock(mutex_);
    ledger_.AttemptWritten(AnswerLedger::Clock::now());
  }
  TraceFrame(TraceKind::Sent, frame);
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
    settled_.notify_all();
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
    AnswerLedger::Verdict verdict = AnswerLedger::Verdict::Deliver;
    {
      std::lock_guard lock(mutex_);
      owner = owner_;
      result = rx_.Append(bytes[i], owner != nullptr);
      if (result.delivered) verdict = ledger_.Classify(result.frame, AnswerLedger::Clock::now());
    }
    if (result.signalled == 0) continue;
    if (verdict != AnswerLedger::Verdict::Deliver) settled_.notify_all();
    if (verdict == AnswerLedger::Verdict::Repeat ||
        (verdict == AnswerLedger::Verdict::Stale && !owner->TakesLateFrames())) {
      // The sender has this answer already, or has moved on: a technician sees it, nobody else.
      TraceFrame(verdict == AnswerLedger::Verdict::Repeat ? TraceKind::Repeat : TraceKind::Stale,
                 result.frame);
      continue;
    }
    if (verdict == AnswerLedger::Verdict::Deliver) replyEvent_.Set();
    if (!result.delivered) continue;
    // A late frame still goes with the last command's SentFrame: the next one's is set only once
    // the line has settled.
    TraceFrame(verdict == AnswerLedger::Verdict::Deliver ? TraceKind::Received : TraceKind::Late,
               result.frame);
    owner->OnReply(owner->SentFrame(), result.frame);
  }
}

}  // namespace veyra
