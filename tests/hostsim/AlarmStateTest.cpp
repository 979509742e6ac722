// The simulated host's own side. Reads after writes, and each command's acknowledgement and
// message, are proven end to end through veyractl and the dialogs; here stay what those cannot
// see: checksums (the recogniser accepts a wrong one), the log's coverage of every code, and the
// longest number. Frames the host must refuse are AccessoryStateTest's.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "features/alarm/HistoryCodec.h"
#include "features/alarm/OperateCodec.h"
#include "features/alarm/PhoneCodec.h"
#include "features/alarm/TimedCodec.h"
#include "hostsim/AlarmState.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::hostsim {
namespace {

using namespace veyra::alarm;

using test::DefaultAck;

// The longest number the host takes comes back whole, in a well-formed frame like every other reply.
TEST(AlarmState, EveryReplyFrameIsWellFormedAndTheLongestNumberReadsBackWhole) {
  AlarmState host;
  const std::string longest = "012345678901234567890123456789012345678901234567890123456789012";  // 63
  const auto replies = host.Handle(BuildFrame(*PhoneWritePayload(10, longest).payload));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(PhoneWriteAcknowledged(replies[0], DefaultAck));
  for (const Bytes& payload : {TimedLookupPayload(), PhoneReadPayload(), HistoryReadPayload(),
                               OperatePayload(Operation::Arm), HistoryErasePayload()}) {
    const auto frames = host.Handle(BuildFrame(payload));
    EXPECT_FALSE(frames.empty()) << FormatHex(payload);
    for (const Bytes& frame : frames) {
      ASSERT_GE(frame.size(), kFrameOverhead);
      EXPECT_EQ(frame.front(), kFrameStart);
      EXPECT_EQ(frame.back(), kFrameEnd);
      EXPECT_EQ(frame.size(), frame[1] + kFrameOverhead) << FormatHex(frame);
      EXPECT_EQ(frame[frame.size() - 2], Checksum(Bytes(frame.begin() + 1, frame.end() - 2)))
          << FormatHex(frame);
    }
    if (payload == PhoneReadPayload()) {
      ASSERT_EQ(frames.size(), 12u);
      EXPECT_EQ(DecodePhoneFrame(frames[9]), (PhoneNumber{10, longest}));
    }
  }
}

// Each operation is acknowledged and leaves the host in its mode, whatever mode it was in.
TEST(AlarmState, EachOperationLeavesItsMode) {
  AlarmState host;
  const struct {
    Operation operation;
    AlarmMode mode;
  } rows[] = {{Operation::Arm, AlarmMode::Armed},       {Operation::Partial, AlarmMode::Partial},
              {Operation::Disarm, AlarmMode::Disarmed}, {Operation::Partial, AlarmMode::Partial},
              {Operation::Arm, AlarmMode::Armed},       {Operation::Disarm, AlarmMode::Disarmed}};
  for (const auto& row : rows) {
    const auto replies = host.Handle(BuildFrame(OperatePayload(row.operation)));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], BuildFrame(OperatePayload(row.operation))) << "acknowledged with its own command";
    EXPECT_EQ(host.Mode(), row.mode);
  }
}

// The demo shows every source and event text, and the utility reads each record as the host meant it.
TEST(AlarmState, LogHoldsEverySourceAndEventAndDecodesAsStored) {
  AlarmState host;
  const Bytes sent = BuildFrame(HistoryReadPayload());
  const auto frames = host.Handle(sent);
  ASSERT_EQ(frames.size(), host.LogSize());
  ASSERT_GE(frames.size(), 24u);
  std::set<int> sources, events;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const auto record = HistoryReadRecord(sent, frames[i]);
    ASSERT_TRUE(record);
    sources.insert(record->source);
    events.insert(record->event);
    const LogEntry& e = host.Log()[i];
    EXPECT_EQ(*record, (HistoryRecord{e.source, e.event, e.zone, e.month, e.day, e.hour, e.minute}));
  }
  EXPECT_EQ(sources.size(), 16u);
  EXPECT_EQ(events.size(), 16u);
}

}  // namespace
}  // namespace veyra::hostsim
