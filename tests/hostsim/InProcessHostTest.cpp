// The demo host: the simulated host served through an in-process device, reached by the program's
// own link as a port. No pseudo-terminal, so this runs on Windows too.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "features/alarm/HistoryCodec.h"
#include "hostsim/AlarmState.h"
#include "hostsim/InProcessHost.h"
#include "link/ComPorts.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "session/LoginCodec.h"
#include "tests/common/RecordingNotifier.h"

namespace veyra {
namespace {

// A link that keeps every frame it is handed.
class KeepingLink final : public HostLink {
 public:
  ~KeepingLink() override { ReleasePort(); }
  void OnReply(const Bytes&, const Bytes& received) override {
    {
      std::lock_guard lock(mutex_);
      frames_.push_back(received);
    }
    cv_.notify_all();
  }
  std::vector<Bytes> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(frames_, {});
  }
  bool WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::seconds(5), [&] { return frames_.size() >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Bytes> frames_;
};

TEST(InProcessHost, AnswersTheProgramsLinkAsTheDemoHost) {
  const struct {
    const char* expect;
    bool pace;
  } rows[] = {
      {"the demo host answers whole at the program's speed", false},
      {"answers paced like a 9600-baud line arrive whole", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    test::RecordingNotifier messages;
    hostsim::InProcessHost host("1234");
    host.SetPace(row.pace);
    ASSERT_TRUE(host.Start("host-test", "Demo host"));
    ASSERT_GT(host.ComNumber(), 0);
    EXPECT_EQ(host.Device(), "inproc:host-test");
    std::size_t records = 0;
    {
      auto lock = host.Lock();
      records = host.Host().Alarm().LogSize();
    }
    ASSERT_GT(records, 0u);

    HostPort port;
    KeepingLink link;
    link.SetCommn(&port);
    ExchangeSettings::times = 3;
    ExchangeSettings::waittime = 1000;
    ASSERT_EQ(link.OpenPort(host.ComNumber()), 1);

    ASSERT_EQ(link.SendAndWait(session::LoginPayload(1111), 3, 1000), 1);
    std::vector<Bytes> frames = link.Take();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(session::LoginVerdict(frames[0]), false) << "a wrong password accepted";

    ASSERT_EQ(link.SendAndWait(session::LoginPayload(1234), 3, 1000), 1);
    frames = link.Take();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(session::LoginVerdict(frames[0]), true) << "the demo's password refused";

    ASSERT_EQ(link.SendAndWait(alarm::HistoryReadPayload(), 3, 1000), 1);
    ASSERT_TRUE(link.WaitFor(records)) << "history records lost";
    frames = link.Take();
    EXPECT_EQ(frames.size(), records);
    const Bytes sent = BuildFrame(alarm::HistoryReadPayload());
    for (const Bytes& frame : frames) EXPECT_TRUE(alarm::HistoryReadRecord(sent, frame).has_value());

    link.ClosePort();
    host.Stop();
    EXPECT_EQ(ComForDevice("inproc:host-test"), std::nullopt) << "the device outlives its host";
    EXPECT_TRUE(messages.Texts().empty());
  }
}

}  // namespace
}  // namespace veyra
