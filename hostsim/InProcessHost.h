// Serves a SimulatedHost as an in-process device, so the program opens it by its COM number like
// any port: the demo on every system, and the window tests where there are no pseudo-terminals. A
// thread of its own collects the program's bytes into frames and sends the answers back, under the
// same faults the pseudo-terminal's host takes.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "hostsim/FaultyHost.h"
#include "link/InProcessDevice.h"

namespace veyra::hostsim {

class InProcessHost : public FaultyHost, public InProcessPeer {
 public:
  explicit InProcessHost(std::string password = "1234");
  ~InProcessHost() override;
  InProcessHost(const InProcessHost&) = delete;
  InProcessHost& operator=(const InProcessHost&) = delete;

  // Registers the device "inproc:<name>" under the lowest free COM number, described as
  // description in the port list, and starts serving. False when the name is taken.
  bool Start(std::string_view name, const std::string& description);
  // Unregisters the device (a program that has it open loses its line) and stops serving.
  void Stop();
  // The device goes as an unplugged adapter does.
  void HangUp() { Stop(); }
  // The COM number the port list shows the device under; -1 before Start.
  int ComNumber() const;
  const std::string& Device() const { return registration_.Device(); }
  // The password the host holds now: the program may have changed it.
  std::string Password();

  // Answers at the speed of a 9600-baud line: a byte every 1.04 ms on average, in bursts where the
  // system's sleeps are coarser than that.
  void SetPace(bool pace);
  // Bytes unsolicited by any command: a late record, a stray frame.
  void Inject(const Bytes& bytes);

  // InProcessPeer: called by the program's threads.
  void Opened(std::shared_ptr<InProcessLine> line) override;
  void Received(const std::uint8_t* bytes, std::size_t count) override;
  void Closed() override;

 private:
  void Serve();
  // False when the program closed the line, or the host is stopping.
  bool Reply(InProcessLine& line, const Answer& answer, bool pace);
  bool SendBytes(InProcessLine& line, const Bytes& bytes, bool pace, int gapMs);
  bool SleepMs(int ms);  // false when stopping

  InProcessRegistration registration_;
  std::thread thread_;

  std::mutex mutex_;  // everything below
  std::condition_variable wake_;
  bool stop_ = false;
  bool pace_ = false;
  bool newLine_ = false;  // a new opening: a partial frame of the last one is no one's
  std::shared_ptr<InProcessLine> line_;
  Bytes inbox_;
  Bytes injectQueue_;
};

}  // namespace veyra::hostsim
