// The trace file a person names: opened without waiting for anything, refused when it cannot be
// appended to, and a line that cannot be written told once without stopping anything.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "link/HostPort.h"
#include "link/Trace.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

const Bytes kFrame = {0xAA, 0x00, 0x09, 0x09, 0x55};

TEST(TraceFile, StartsOnlyOnWhatItCanAppendToAndNeverWaits) {
  const test::ScratchDir dir;
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  ::mkdir(dir.Path("directory").c_str(), 0700);
  const struct {
    const char* expect;
    std::string path;
    bool starts;
  } rows[] = {
      {"a FIFO nobody reads is refused at once", dir.Path("fifo"), false},
      {"a directory is refused", dir.Path("directory"), false},
      {"a file in a missing directory is refused", dir.Path("missing/trace.log"), false},
      {"a new file is taken", dir.Path("trace.log"), true},
      {"a device that takes every write is taken", "/dev/null", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    HostPort port;
    TraceFile trace(port);
    std::promise<bool> started;
    std::thread starter([&] { started.set_value(trace.Start(row.path)); });
    std::future<bool> result = started.get_future();
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << "Start waits";
      // A reader lets the waiting open through, so the thread can be joined.
      const int reader = ::open(row.path.c_str(), O_RDONLY | O_NONBLOCK);
      starter.join();
      if (reader >= 0) ::close(reader);
      continue;
    }
    starter.join();
    EXPECT_EQ(result.get(), row.starts);
    EXPECT_EQ(trace.Active(), row.starts);
  }
}

TEST(OpenTraceFile, SaysWhyItCannotAppend) {
  const test::ScratchDir dir;
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  const struct {
    const char* expect;
    std::string path;
    std::string reason;
  } rows[] = {
      {"a FIFO without a reader is told as nothing reading", dir.Path("fifo"), "nothing reads from it"},
      {"a directory is named as one", dir.Path(""), "Is a directory"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    std::string reason;
    EXPECT_EQ(OpenTraceFile(row.path, reason), nullptr);
    EXPECT_NE(reason.find(row.reason), std::string::npos) << reason;
  }
}

// Every line fails on /dev/full and on a FIFO whose reader has gone (which would end the program
// with SIGPIPE); the command goes on, and hears of it once.
TEST(EnableTrace, AWriteErrorIsToldOnceAndNothingStops) {
  const test::ScratchDir dir;
  ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
  const struct {
    const char* expect;
    std::string path;
    std::string reason;
  } rows[] = {
      {"a full device is told once", "/dev/full", "No space left on device"},
      {"a reader that went away is told as a broken pipe", dir.Path("fifo"), "Broken pipe"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const int reader = ::open(row.path.c_str(), O_RDONLY | O_NONBLOCK);  // for the FIFO to open
    std::string reason;
    std::FILE* file = OpenTraceFile(row.path, reason);
    ASSERT_NE(file, nullptr) << reason;
    if (reader >= 0) ::close(reader);
    HostPort port;
    std::vector<std::string> told;
    EnableTrace(port, file, [&told](const std::string& why) { told.push_back(why); });
    const HostPort::TraceFn sink = port.Trace();
    for (int line = 0; line < 3; ++line) sink(line % 2 == 0 ? TraceKind::Sent : TraceKind::Received, kFrame);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], row.reason);
    port.SetTrace(nullptr);
    std::fclose(file);
  }
}

TEST(EnableTrace, LinesAreAppendedWhole) {
  const test::ScratchDir dir;
  const std::string path = dir.Write("trace.log", "before\n");
  std::string reason;
  std::FILE* file = OpenTraceFile(path, reason);
  ASSERT_NE(file, nullptr) << reason;
  HostPort port;
  EnableTrace(port, file);
  port.Trace()(TraceKind::Sent, kFrame);
  port.Trace()(TraceKind::Received, kFrame);
  port.Trace()(TraceKind::Repeat, kFrame);
  port.Trace()(TraceKind::Stale, kFrame);
  port.SetTrace(nullptr);
  std::fclose(file);
  std::ifstream in(path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(text.rfind("before\n", 0), 0u) << text;
  EXPECT_NE(text.find(" > AA 00 09 09 55\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" < AA 00 09 09 55\n"), std::string::npos) << text;
  // A dropped frame says so, for the technician who wonders why a row is missing.
  EXPECT_NE(text.find(" < AA 00 09 09 55  [dropped: a copy of the answer]\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" < AA 00 09 09 55  [dropped: stale, the next command waits]\n"), std::string::npos)
      << text;
}

}  // namespace
}  // namespace veyra
