#include "ui/DialogLink.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "link/HostPort.h"
#include "link/Notifier.h"

namespace veyra {
namespace {

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

DialogLink::DialogLink(Handler handler) : handler_(std::move(handler)) {}

DialogLink::~DialogLink() { ReleasePort(); }

bool DialogLink::HostReady(std::string_view hostNotFoundText) {
  if (HostFound != 0) return true;
  ShowOwned(hostNotFoundText);
  return false;
}

bool DialogLink::Send(const Bytes& payload, std::string_view noReplyText) {
  DeliverPending();
  ShowStatus({});
  ClearPayload();
  Payload = payload;
  if (SendAndWait(Payload, -1, -1) != 0) return true;
  if (!noReplyText.empty()) ShowOwned(noReplyText);
  ShowStatus(kNoAnswerStatusText);
  return false;
}

bool DialogLink::Command(const Bytes& payload, std::string_view hostNotFoundText,
                         std::string_view noReplyText) {
  return HostReady(hostNotFoundText) && Send(payload, noReplyText);
}

void DialogLink::OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) {
  lastArrivalMs_ = NowMs();
  std::lock_guard lock(mutex_);
  pending_.push_back({sentFrame, receivedFrame});
  if (handOverPosted_) return;
  handOverPosted_ = true;
  // Queued on this object: if the link is gone before the GUI thread gets to it, so is the call.
  QMetaObject::invokeMethod(
      this, [this] { DeliverPending(); }, Qt::QueuedConnection);
}

void DialogLink::OnLineLost() {
  // Queued on this object, after the frames that came before the line went.
  QMetaObject::invokeMethod(
      this, [this] { ShowStatus(kLineLostText); }, Qt::QueuedConnection);
}

void DialogLink::AwaitQuietLine() {
  const int quietMs = std::max(1, ExchangeSettings::waittime.load());
  const std::int64_t giveUpAt = NowMs() + std::int64_t{quietMs} * std::max(1, ExchangeSettings::times.load());
  if (NowMs() - lastArrivalMs_ < quietMs) {
    WaitCursor cursor;
    while (NowMs() - lastArrivalMs_ < quietMs && NowMs() < giveUpAt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      Messages().KeepAlive();
    }
  }
  DeliverPending();
}

void DialogLink::DeliverPending() {
  for (;;) {
    Arrival arrival;
    {
      std::lock_guard lock(mutex_);
      if (pending_.empty()) {
        handOverPosted_ = false;
        return;
      }
      arrival = std::move(pending_.front());
      pending_.pop_front();
    }
    // One at a time and without the lock: a handler may itself wait for the host.
    if (handler_) handler_(arrival.sent, arrival.received);
  }
}

}  // namespace veyra
