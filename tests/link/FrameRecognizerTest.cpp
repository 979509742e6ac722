// Frames: how one is built and read (link/Frame.h), and how the recogniser finds them in the bytes
// off the line (link/FrameRecognizer.h).
#include <gtest/gtest.h>

#include "fuzz/FrameBuildChecks.h"
#include "fuzz/FrameChecks.h"
#include "link/Frame.h"
#include "link/FrameRecognizer.h"
#include "tests/common/SeedReplay.h"
#ifndef _WIN32
#include "tests/common/LinkHarness.h"
#endif

namespace veyra {
namespace {

TEST(Checksum, IsModulo255OfLenCmdAndData) {
  struct Row {
    const char* expect;
    Bytes payload;
    std::uint8_t chk;
  };
  const Row rows[] = {
      {"the arm command's checksum is 09", {0x00, 0x09}, 0x09},
      {"a sum of 255 wraps to 00", {0x00, 0xFF}, 0x00},
      {"a sum of 256 gives 01 (divisor 255)", {0x01, 0xFF}, 0x01},
      {"a sum of 509 gives FE", {0x01, 0xFE, 0xFE}, 0xFE},
      {"bytes add as unsigned", {0x02, 0x01, 0x80, 0x80}, 0x04},
      {"an empty payload's checksum is 00", {}, 0x00},
  };
  for (const Row& row : rows) EXPECT_EQ(Checksum(row.payload), row.chk) << row.expect;
}

TEST(BuildFrame, WrapsPayloadWithoutTouchingLen) {
  EXPECT_EQ(BuildFrame({0x00, 0x09}), (Bytes{0xAA, 0x00, 0x09, 0x09, 0x55}));
  // The caller's LEN is sent as given, even when it does not match.
  EXPECT_EQ(BuildFrame({0x05, 0x01}), (Bytes{0xAA, 0x05, 0x01, 0x06, 0x55}));
  EXPECT_EQ(BuildFrame({0x02, 0x01, 0x12, 0x34}), (Bytes{0xAA, 0x02, 0x01, 0x12, 0x34, 0x49, 0x55}));
}

TEST(ParseHexText, ReadsPairsAsTheAckTableWritesThem) {
  struct Row {
    const char* text;
    Bytes expected;
  };
  const Row rows[] = {
      {"AA 00 09 09 55", {0xAA, 0x00, 0x09, 0x09, 0x55}},
      {"a5 00 0A", {0xA5, 0x00, 0x0A}},  // lower case first digit accepted
      {"AA00", {0xAA, 0x00}},            // no separator needed
      {"AA 0", {0xAA}},                  // a single trailing character is ignored
      {"AA   00", {0xAA, 0x00}},         // any number of spaces
      {"", {}},
      {"ZZ 01", {0x01}},   // a pair with a non-hex first character adds nothing
      {"AA\t00", {0xAA}},  // a tab is not a separator: "\t0" is skipped as a pair
  };
  for (const Row& row : rows) {
    Bytes out{0x77};  // replaced, not appended to
    ParseHexText(row.text, out);
    EXPECT_EQ(out, row.expected) << '"' << row.text << '"';
  }
}

// Appended to what the output holds (here EE), not replacing it.
TEST(HexTextToBytes, PacksDigitsTwoToAByte) {
  struct Row {
    const char* text;
    int length;
    Bytes expected;
  };
  const Row rows[] = {
      {"2013", -1, {0xEE, 0x20, 0x13}},
      {"123456", -1, {0xEE, 0x12, 0x34, 0x56}},
      {"12345", -1, {0xEE, 0x12, 0x34}},  // the odd last digit is dropped
      {"123456", 4, {0xEE, 0x12, 0x34}},
      {"1A", -1, {0xEE, 0x1A}},
      {"", -1, {0xEE}},
  };
  for (const Row& row : rows) {
    Bytes out{0xEE};
    EXPECT_EQ(HexTextToBytes(row.text, out, row.length), 1);
    EXPECT_EQ(out, row.expected) << row.text;
  }
}

TEST(FrameHelpers, FormatKeyAndBoundedDataLength) {
  EXPECT_EQ(FormatHex({0xAA, 0x00, 0x0A, 0x0A, 0x55}), "AA 00 0A 0A 55");
  EXPECT_EQ(CommandKey(0x0A), "0A");
  EXPECT_EQ(CommandKey(0x23), "23");
  EXPECT_EQ(FrameDataLength({0xAA, 0x02, 0x01, 0x01, 0x02, 0x04, 0x55}), 2u);
  EXPECT_EQ(FrameDataLength({0xAA, 0x09, 0x01, 0x01, 0x55}), 0u) << "a lying LEN must not reach past the end";
  EXPECT_EQ(FrameDataLength({0xAA, 0x55}), 0u);
}

struct Fed {
  std::vector<Bytes> delivered;
  std::size_t signalled = 0;
  std::size_t left = 0;
};

Fed FeedOneByOne(const Bytes& bytes, bool hasOwner) {
  RxBuffer rx;
  Fed fed;
  for (std::uint8_t b : bytes) {
    const RxBuffer::Result r = rx.Append(b, hasOwner);
    fed.signalled += r.signalled;
    if (r.delivered) fed.delivered.push_back(r.frame);
  }
  fed.left = rx.Size();
  return fed;
}

Bytes LongFrame(std::size_t len) {
  Bytes payload{static_cast<std::uint8_t>(len), 0x02};
  for (std::size_t i = 0; i < len; ++i) payload.push_back(static_cast<std::uint8_t>(i % 0x50));
  return BuildFrame(payload);
}

TEST(FrameRecognizer, DeliversWhatTheHostLinkHasAlwaysDelivered) {
  struct Row {
    const char* expect;
    Bytes input;
    std::vector<Bytes> delivered;
    std::size_t left;
  };
  const Bytes arm{0xAA, 0x00, 0x09, 0x09, 0x55};
  const Bytes disarm{0xAA, 0x00, 0x0A, 0x0A, 0x55};
  const Bytes frame250 = LongFrame(250);
  const auto join = [](Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
  };
  // A 0xAA after a frame's start becomes the latest candidate start and fails the length test; an
  // earlier 0xAA is then taken only when its LEN byte and its checksum are both right.
  const Bytes dataAA{0xAA, 0x01, 0x0D, 0xAA, 0xB8, 0x55};
  // History records: source 10 with event 10, zone 170, and one whose checksum is 0xAA.
  const Bytes sourceEvent = BuildFrame({0x06, 0x02, 0x01, 0xAA, 0x09, 0x31, 0x2E, 0x2D});
  const Bytes zone = BuildFrame({0x06, 0x02, 0x02, 0x21, 0xAA, 0x31, 0x2E, 0x2D});
  const Bytes checksumAA = BuildFrame({0x06, 0x02, 0x03, 0x21, 0x03, 0x31, 0x2E, 0x1C});
  const Bytes twiceAA = BuildFrame({0x03, 0x0C, 0x01, 0xAA, 0xAA});
  // History records whose inner 0xAA starts a shorter candidate that passes the length test with
  // a wrong checksum: the record's own start, earlier, has both right and is the frame. The second
  // is the record the 10,000-record stream benchmark used to lose.
  const Bytes innerWrong{0xAA, 0x06, 0x02, 0x00, 0xAA, 0x02, 0x20, 0x64, 0x05, 0x3E, 0x55};
  const Bytes benchRecord{0xAA, 0x06, 0x02, 0xAB, 0xAA, 0x02, 0x30, 0x62, 0x1A, 0x0D, 0x55};
  // Both candidates right: the latest is the frame, the start the length test alone picks.
  const Bytes innerRight{0xAA, 0x02, 0x20, 0x64, 0x05, 0x8B, 0x55};
  const Bytes outerAndInnerRight = join({0xAA, 0x06, 0x02, 0x4D}, innerRight);
  // Neither right: the latest candidate is still taken, its checksum unexamined.
  const Bytes innerStillWrong{0xAA, 0x02, 0x20, 0x64, 0x05, 0x3F, 0x55};
  const Bytes neitherRight = join({0xAA, 0x06, 0x02, 0x00}, innerStillWrong);
  const Row rows[] = {
      // clang-format off
      {"a plain acknowledgement is delivered", arm, {arm}, 0},
      {"garbage before the frame is dropped", {0x12, 0x34, 0xAA, 0x00, 0x0A, 0x0A, 0x55}, {disarm}, 0},
      {"a 0x55 data byte stays inside the frame", {0xAA, 0x02, 0x0D, 0x00, 0x55, 0x64, 0x55},
       {{0xAA, 0x02, 0x0D, 0x00, 0x55, 0x64, 0x55}}, 0},
      {"a frame with a wrong checksum is still delivered", {0xAA, 0x00, 0x09, 0x00, 0x55}, {{0xAA, 0x00, 0x09, 0x00, 0x55}}, 0},
      {"fewer than five bytes wait for more", {0xAA, 0x00, 0x55}, {}, 3},
      {"a lone end byte is kept", {0x55}, {}, 1},
      {"both frames of one read are delivered", join(arm, disarm), {arm, disarm}, 0},
      {"a LEN longer than the frame waits for more", {0xAA, 0x05, 0x09, 0x09, 0x55}, {}, 5},
      {"the complete frame after a partial one is delivered", {0xAA, 0x03, 0x0D, 0x01, 0xAA, 0x00, 0x09, 0x09, 0x55},
       {arm}, 0},
      {"the frame after a stray end byte is delivered", {0x55, 0xAA, 0x00, 0x09, 0x09, 0x55}, {arm}, 0},
      {"the frame after a doubled start byte is delivered", {0xAA, 0xAA, 0x00, 0x09, 0x09, 0x55}, {arm}, 0},
      {"a command or checksum of 0x55 stays inside the frame", {0xAA, 0x00, 0x55, 0x55, 0x55},
       {{0xAA, 0x00, 0x55, 0x55, 0x55}}, 0},
      {"control bytes a cooked tty would eat arrive unchanged", {0xAA, 0x05, 0x0D, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x4E, 0x55},
       {{0xAA, 0x05, 0x0D, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x4E, 0x55}}, 0},
      {"the longest frame, LEN 250, is delivered", frame250, {frame250}, 0},
      {"LEN 0 with data after the command is no frame", {0xAA, 0x00, 0x09, 0x01, 0x0A, 0x55}, {}, 6},
      {"a reply with a data byte of 0xAA is delivered", dataAA, {dataAA}, 0},
      {"a data byte of 0xAA with a wrong checksum is no frame", {0xAA, 0x01, 0x0D, 0xAA, 0x00, 0x55}, {}, 6},
      {"a history record of source 10, event 10 is delivered", sourceEvent, {sourceEvent}, 0},
      {"a history record of zone 170 is delivered", zone, {zone}, 0},
      {"a reply whose checksum is 0xAA is delivered", checksumAA, {checksumAA}, 0},
      {"the reply after noise holding a 0xAA is delivered", join({0x12, 0xAA, 0x34}, dataAA), {dataAA}, 0},
      {"a reply holding 0xAA twice is delivered", twiceAA, {twiceAA}, 0},
      {"the frame after a 0xAA reply is delivered", join(dataAA, arm), {dataAA, arm}, 0},
      {"an earlier start with the right LEN but a wrong checksum is no frame",
       {0xAA, 0x02, 0x0D, 0x01, 0xAA, 0x00, 0x55}, {}, 7},
      {"the nearer earlier start is the frame",
       {0xAA, 0x05, 0x0D, 0x43, 0xAA, 0x01, 0x0D, 0xAA, 0xB8, 0x55}, {dataAA}, 0},
      {"a record holding a shorter candidate with a wrong checksum comes whole", innerWrong, {innerWrong}, 0},
      {"the stream benchmark's history record comes whole", benchRecord, {benchRecord}, 0},
      {"such a record after noise comes whole", join({0x55, 0xAA, 0x12}, innerWrong), {innerWrong}, 0},
      {"the frame after such a record is delivered", join(innerWrong, arm), {innerWrong, arm}, 0},
      {"the latest candidate with a right checksum is the frame", outerAndInnerRight,
       {innerRight}, 0},
      {"the latest candidate is the frame when no earlier one is right", neitherRight,
       {innerStillWrong}, 0},
      // clang-format on
  };
  for (const Row& row : rows) {
    const Fed fed = FeedOneByOne(row.input, true);
    EXPECT_EQ(fed.delivered, row.delivered) << row.expect;
    EXPECT_EQ(fed.left, row.left) << row.expect;
  }
}

// The reply event is signalled even with nobody to deliver to; once an owner is attached, the next
// 0x55 scans from the start and meets the old frame first.
TEST(FrameRecognizer, WithoutOwnerFrameStaysAndIsMetAgainByTheNextScan) {
  for (const Bytes& waiting :
       {Bytes{0xAA, 0x00, 0x09, 0x09, 0x55}, Bytes{0xAA, 0x01, 0x0D, 0xAA, 0xB8, 0x55}}) {
    SCOPED_TRACE(FormatHex(waiting));
    RxBuffer rx;
    std::size_t signalled = 0;
    for (std::uint8_t b : waiting) signalled += rx.Append(b, false).signalled;
    EXPECT_EQ(signalled, 1u);
    EXPECT_EQ(rx.Size(), waiting.size());
    RxBuffer::Result r;
    for (std::uint8_t b : Bytes{0xAA, 0x00, 0x0A, 0x0A, 0x55}) r = rx.Append(b, true);
    EXPECT_TRUE(r.delivered);
    EXPECT_EQ(r.frame, waiting);
    EXPECT_EQ(rx.Size(), 0u) << "a delivery empties every byte, including those after the frame";
  }
}

TEST(FrameRecognizer, BufferIsBoundedButKeepsAnyFrameThatCanStillComplete) {
  RxBuffer rx;
  for (int i = 0; i < 10000; ++i) rx.Append(static_cast<std::uint8_t>(i % 0x50 + 1), true);
  EXPECT_LE(rx.Size(), RxBuffer::kBound);
  // A frame of the greatest length started just before the bound was crossed still completes.
  const Bytes frame = LongFrame(250);
  RxBuffer::Result last;
  for (std::uint8_t b : frame) last = rx.Append(b, true);
  EXPECT_TRUE(last.delivered);
  EXPECT_EQ(last.frame, frame);
}

TEST(FrameRecognizer, ScanReportsEveryPassingCandidateWithoutOwner) {
  const Bytes twice{0xAA, 0x00, 0x09, 0x09, 0x55, 0xAA, 0x00, 0x0A, 0x0A, 0x55};
  EXPECT_EQ(RecognizeFrames(twice, false), (std::vector<FrameSpan>{{0, 4}, {5, 9}}));
  EXPECT_EQ(RecognizeFrames(twice, true), (std::vector<FrameSpan>{{0, 4}}));
  const Bytes lookedBack{0xAA, 0x01, 0x0D, 0xAA, 0xB8, 0x55, 0xAA, 0x00, 0x0A, 0x0A, 0x55};
  EXPECT_EQ(RecognizeFrames(lookedBack, false), (std::vector<FrameSpan>{{0, 5}, {6, 10}}));
  // A shorter candidate with a wrong checksum inside a record: the record is reported, once.
  const Bytes record{0xAA, 0x06, 0x02, 0x00, 0xAA, 0x02, 0x20, 0x64,
                     0x05, 0x3E, 0x55, 0xAA, 0x00, 0x0A, 0x0A, 0x55};
  EXPECT_EQ(RecognizeFrames(record, false), (std::vector<FrameSpan>{{0, 10}, {11, 15}}));
}

#ifndef _WIN32
// The record with a shorter, wrong-checksum candidate inside, sent by the simulated host as the
// reply over a real pseudo-terminal however the line delivers it: the owner gets the record.
class RecordOverTheLineTest : public test::LinkHarness {};

TEST_F(RecordOverTheLineTest, ARecordHoldingAShorterCandidateReachesTheOwnerWhole) {
  struct Row {
    const char* expect;
    int splitGapMs;
    bool pace;
  };
  const Row rows[] = {
      {"the record comes whole when it arrives in one read", 0, false},
      {"the record comes whole when it arrives byte by byte", 3, false},
      {"the record comes whole at the line rate", 0, true},
  };
  const Bytes record{0xAA, 0x06, 0x02, 0x00, 0xAA, 0x02, 0x20, 0x64, 0x05, 0x3E, 0x55};
  Open();
  env.SetTimeouts(1, 1000);
  std::size_t replies = 0;
  for (const Row& row : rows) {
    hostsim::Faults faults;
    faults.replaceReply = record;
    faults.splitGapMs = row.splitGapMs;
    faults.pace = row.pace;
    host.SetFaults(faults);
    EXPECT_EQ(Send({0x00, 0x0A}), 1) << row.expect;
    ASSERT_TRUE(link.WaitForReplies(++replies)) << row.expect;
    EXPECT_EQ(link.Received().back(), record) << row.expect;
    EXPECT_EQ(port.ReceivedSize(), 0u) << row.expect;
  }
  EXPECT_TRUE(messages.Messages().empty());
}
#endif

// The frame fuzzers' seeds, replayed on every build: the recogniser must agree with the literal
// transcriptions of its rules on each, and deliver every well-formed reply a recipe builds.
TEST(FrameSeedReplay, RecogniserAgreesWithTheRulesOnEverySeed) {
  EXPECT_GE(test::ReplaySeeds("frame", fuzz::FrameStreamViolation), 3);
}

TEST(FrameSeedReplay, EveryReplyARecipeBuildsComesOutWholeAndInOrder) {
  EXPECT_GE(test::ReplaySeeds("frame_build", fuzz::FrameRecipeViolation), 3);
}

}  // namespace
}  // namespace veyra
