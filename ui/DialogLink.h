// A window's attachment to the host port. The window holds one as a member; frames the reader
// thread recognises while this link owns the port are queued here and handed to the window's
// handler on the GUI thread, in arrival order, each with the frame that had been sent last when
// it arrived. The reader thread touches nothing but this object, and the link detaches in its own
// destructor, waiting for a hand-over in progress; queued hand-overs die with it. So a frame can
// reach a window neither while nor after it is destroyed, whatever the window's destructor does.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <utility>

#include "link/HostLink.h"
#include "link/Translatable.h"

namespace veyra {

// What a window's status line says when a command got no frame in any attempt, beside the
// command's own message.
inline constexpr std::string_view kNoAnswerStatusText = QT_TRANSLATE_NOOP("veyra", "Хост не ответил");

class DialogLink final : public QObject, public HostLink {
 public:
  using Handler = std::function<void(const Bytes& sentFrame, const Bytes& receivedFrame)>;

  // What the link has to say on the window's status line: empty when a command goes out (the
  // last command's answer no longer stands), kNoAnswerStatusText, the line-lost text. GUI thread.
  using StatusSink = std::function<void(std::string_view text)>;

  explicit DialogLink(Handler handler);
  ~DialogLink() override;

  void SetStatusSink(StatusSink sink) { statusSink_ = std::move(sink); }

  // Refuses, with the text in a box, while no host has been found; nothing is sent then.
  static bool HostReady(std::string_view hostNotFoundText);

  // Sends one command: frames left from earlier commands are handed over first, the receive
  // buffer is cleared, the payload is framed and sent with the retries and time-out of
  // [timeout]. Every reply that came during the wait has gone through the handler when this
  // returns. Shows noReplyText (when not empty) if the host never answered; true when it did.
  bool Send(const Bytes& payload, std::string_view noReplyText = {});
  // HostReady, then Send.
  bool Command(const Bytes& payload, std::string_view hostNotFoundText, std::string_view noReplyText);

  // GUI thread: hands every queued frame to the handler.
  void DeliverPending();
  // For answers of many frames without an end marker: waits until no frame has arrived for one
  // reply window ([timeout] waittime as last read), at most the whole exchange time, then hands
  // over what came. A command sent into such a stream would take the rest of it for its answer.
  void AwaitQuietLine();

  // Reader thread.
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override;
  void OnLineLost() override;

 protected:
  void ReplyWaitEnded() override { DeliverPending(); }

 private:
  struct Arrival {
    Bytes sent, received;
  };

  void ShowStatus(std::string_view text) const {
    if (statusSink_) statusSink_(text);
  }

  Handler handler_;
  StatusSink statusSink_;
  std::mutex mutex_;
  std::deque<Arrival> pending_;
  bool handOverPosted_ = false;
  std::atomic<std::int64_t> lastArrivalMs_{0};  // steady clock
};

}  // namespace veyra
