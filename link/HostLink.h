// What every window that talks to the host is built on: it assembles a command payload, sends it
// framed with retries and a time-out per attempt, and receives replies in OnReply while it owns
// the port.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "link/AckCheck.h"
#include "link/Frame.h"

namespace veyra {

class HostPort;

// Program-wide: set by the host search and the open/close button; features send nothing while 0.
extern std::atomic<int> HostFound;

// The exchange settings last read from [timeout]; shared by all links.
struct ExchangeSettings {
  static std::atomic<int> times;
  static std::atomic<int> waittime;
};

class HostLink {
 public:
  HostLink() = default;
  virtual ~HostLink();
  HostLink(const HostLink&) = delete;
  HostLink& operator=(const HostLink&) = delete;

  void SetCommn(HostPort* port);
  // Stops taking frames, waiting for one being handled. A class that derives from HostLink calls
  // it first thing in its own destructor (and is final): by the time ~HostLink runs, the derived
  // members OnReply uses are already gone.
  void ReleasePort();
  void ClearPayload();
  // Returns 1 when a frame was recognised during one of the attempts; by then OnReply has run for
  // that frame. -1 for times or waittime reads [timeout] anew.
  int SendAndWait(const Bytes& payload, int times, int waittime);
  // Called on the port's reader thread for each recognised frame while this link owns the port.
  virtual void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) = 0;
  // Called on the reader thread when the line was lost while this link owned the port, after the
  // user has been told; a link waiting for more frames stops waiting.
  virtual void OnLineLost() {}
  // Whether frames of the last command's answer that come while the next command waits for the
  // line to settle (the rest of a list a slow host is still sending) reach OnReply, with the last
  // command's SentFrame. A window takes them, so no row goes missing; a sequence of commands that
  // has finished reading that answer does not.
  virtual bool TakesLateFrames() const { return true; }
  int CheckAck(const std::string& key, const Bytes& receivedFrame);
  // CheckAck of this link, for the codecs that judge replies.
  AckCheck Acks();
  int OpenPort(int n);
  // A device given by path (veyractl --port /dev/ttyUSB0); number is what the link reports.
  int OpenDevicePort(const std::string& device, int number);
  void ClosePort();
  int IsPortOpen() const;
  int GetPortNumber() const;

  Bytes SentFrame() const;
  HostPort* Port() const { return port_; }

  Bytes Payload;

 protected:
  // Called on the sending thread when a wait ended with a reply, after OnReply of that reply.
  virtual void ReplyWaitEnded() {}

 private:
  int OpenWith(const std::string& label, const std::function<int()>& open);

  HostPort* port_ = nullptr;
  mutable std::mutex sentMutex_;
  Bytes sentFrame_;
};

}  // namespace veyra
