#include "features/alarm/PhoneCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using test::DefaultAck;
using test::Hex;

const Bytes kAck = Hex("AA 00 0D 0D 55");
const Bytes kRefusal = Hex("AA 01 0D FF 0D 55");
const std::string kClosing = "Сбой при сохранении телефонных номеров!";
const std::string kSlotFailed = "Сбой при сохранения телефонных номеров ";

// A number frame as the host sends it, LEN computed.
Bytes NumberFrame(int slot, const Bytes& packed) {
  Bytes payload;
  payload.reserve(packed.size() + 3);  // also keeps GCC 12's -Warray-bounds false positive away
  payload.push_back(static_cast<std::uint8_t>(packed.size() + 1));
  payload.push_back(0x0C);
  payload.push_back(static_cast<std::uint8_t>(slot));
  payload.insert(payload.end(), packed.begin(), packed.end());
  return BuildFrame(payload);
}

TEST(PhoneCodec, FramesOnTheLine) {
  EXPECT_EQ(FormatHex(BuildFrame(PhoneReadPayload())), "AA 00 0C 0C 55");
  EXPECT_EQ(FormatHex(BuildFrame(*PhoneWritePayload(1, "123").payload)), "AA 03 0D 01 12 3F 62 55");
}

// Every number that is sent must read back as typed ("G" as "*" past the prefix).
TEST(PhoneCodec, WritePayloadReadsBackOrIsRefused) {
  const struct {
    const char* name;
    int slot;
    std::string typed;
    const char* payload;  // nullptr when refused
    std::string shown;
  } rows[] = {
      {"even_gets_byte_FF_every_digit", 4, "0123456789", "07 0D 04 01 23 45 67 89 FF", "0123456789"},
      {"empty_ticked_slot_gets_byte_FF", 7, "", "02 0D 07 FF", ""},
      {"3g_prefix", 2, "3G1234", "05 0D 02 3B 12 34 FF", "3G1234"},
      {"lower_g_inside_reads_as_star", 5, "1g2", "03 0D 05 1B 2F", "1*2"},
      {"star_B_colon_A", 6, "*2:1", "04 0D 06 B2 A1 FF", "*2:1"},
      {"odd_gets_nibble_F_blanks_around_not_sent", 1, "  123 \t", "03 0D 01 12 3F", "123"},
      {"star_beyond_32_chars_replaced", 8, std::string(40, '1') + "*2",
       "17 0D 08 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 B2 FF", std::string(40, '1') + "*2"},
      {"63_chars_fill_32_bytes", 12, std::string(63, '9'),
       "21 0D 0C 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 9F",
       std::string(63, '9')},
      {"64_chars_refused", 3, std::string(64, '9'), nullptr, ""},
      {"hex_letter_refused", 3, "12B4", nullptr, ""},
      {"inner_blank_refused", 3, "12 34", nullptr, ""},
      {"slot_0_refused", 0, "123", nullptr, ""},
      {"slot_13_refused", 13, "123", nullptr, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PhoneRequest request = PhoneWritePayload(row.slot, row.typed);
    ASSERT_EQ(request.payload.has_value(), row.payload != nullptr);
    ASSERT_EQ(request.refusal.has_value(), row.payload == nullptr);
    if (request.refusal) {
      EXPECT_EQ(request.refusal->text, kSlotFailed + std::to_string(row.slot) + "!");
      continue;
    }
    EXPECT_EQ(FormatHex(*request.payload), row.payload);
    const Bytes sent(request.payload->begin() + 3, request.payload->end());
    EXPECT_EQ(DecodePhoneFrame(NumberFrame(row.slot, sent)), (PhoneNumber{row.slot, row.shown}));
  }
}

TEST(PhoneCodec, DecodeNumberFrame) {
  const struct {
    const char* name;
    Bytes frame;
    std::optional<PhoneNumber> number;
  } rows[] = {
      {"C_ends_like_F", NumberFrame(1, Hex("1C 23")), PhoneNumber{1, "1"}},
      {"C_ends_in_the_high_nibble_too", NumberFrame(1, Hex("12 C3")), PhoneNumber{1, "12"}},
      {"3B_only_first_byte", NumberFrame(1, Hex("12 3B")), PhoneNumber{1, "123*"}},
      {"slot_12_edge", NumberFrame(12, Hex("11 2F")), PhoneNumber{12, "112"}},
      {"len_1_empties_the_field", NumberFrame(3, Bytes{}), PhoneNumber{3, ""}},
      {"slot_0_ignored", NumberFrame(0, Hex("12 3F")), std::nullopt},
      {"slot_13_ignored", NumberFrame(13, Hex("12 3F")), std::nullopt},
      {"no_slot_byte_ignored", Hex("AA 00 0C 0C 55"), std::nullopt},
      {"other_command_ignored", Hex("AA 00 0D 0D 55"), std::nullopt},
      {"lying_len_stops_at_frame_end", Hex("AA 0A 0C 04 12 34 00 55"), PhoneNumber{4, "1234"}},
      {"len_over_32_bytes_cut_at_32", NumberFrame(6, Bytes(40, 0x22)), PhoneNumber{6, std::string(64, '2')}},
      {"fragment_ignored", Hex("AA 05 0C"), std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(DecodePhoneFrame(row.frame), row.number) << row.name;
}

// One ticked slot of a save and the frames its write meets, in the order they reach OnReply.
struct Ticked {
  int slot;
  const char* text;
  Bytes reply = kAck;      // the frame that ended the wait; empty: SendAndWait returned 0
  bool staleAck = false;   // before it, the previous write's acknowledgement with that write's frame
  bool secondAck = false;  // after it, another acknowledgement
  bool lateAck = false;    // an acknowledgement after the wait gave up
};

TEST(PhoneCodec, SaveJudgesEveryTickedSlotByItsOwnReply) {
  const struct {
    const char* name;
    std::vector<Ticked> ticked;  // in slot order
    std::vector<std::string> messages;
    std::vector<int> written;
  } rows[] = {
      {"all_acknowledged_no_message", {{1, "123"}, {12, "456"}}, {}, {1, 12}},
      {"slot3_refused_by_host_last_ok_still_reported", {{3, "123", Hex("AA 00 0D 0C 55")}, {12, "456"}},
       {kClosing}, {3, 12}},
      {"no_reply_reported_for_the_slot_and_the_save_a_late_ack_changes_nothing",
       {{.slot = 3, .text = "123", .reply = {}, .lateAck = true}, {4, "456"}}, {kSlotFailed + "3!", kClosing}, {3, 4}},
      {"bad_number_not_sent_others_still_written", {{2, "12-34"}, {5, "555"}}, {kSlotFailed + "2!", kClosing}, {5}},
      {"number_frame_during_save_not_an_ack", {{1, "123", NumberFrame(1, Hex("12 3F"))}}, {kClosing}, {1}},
      {"previous_write_ack_counted_for_this_slot",
       {{2, "111"}, {.slot = 5, .text = "555", .reply = kRefusal, .staleAck = true}}, {kClosing}, {2, 5}},
      {"later_frame_overrode_the_reply_that_ended_the_wait",
       {{.slot = 5, .text = "555", .reply = kRefusal, .secondAck = true}}, {kClosing}, {5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PhoneSaveTracker tracker;
    std::vector<std::string> messages;
    std::vector<int> written;
    Bytes previous;
    auto next = row.ticked.begin();
    tracker.Begin();
    for (int slot = 1; slot <= kPhoneSlotCount; ++slot) {
      if (next == row.ticked.end() || next->slot != slot) {
        tracker.Skip();
        continue;
      }
      const Ticked& ticked = *next++;
      const PhoneRequest request = tracker.StartWrite(slot, ticked.text);
      if (!request.payload) {
        messages.push_back(request.refusal->text);
        continue;
      }
      written.push_back(slot);
      const Bytes sent = BuildFrame(*request.payload);
      if (ticked.staleAck) tracker.OnReply(previous, kAck, DefaultAck);
      if (!ticked.reply.empty()) tracker.OnReply(sent, ticked.reply, DefaultAck);
      if (ticked.secondAck) tracker.OnReply(sent, kAck, DefaultAck);
      if (auto message = tracker.FinishWrite(ticked.reply.empty() ? 0 : 1)) messages.push_back(message->text);
      if (ticked.lateAck) tracker.OnReply(sent, kAck, DefaultAck);
      previous = sent;
    }
    if (auto message = tracker.Finish()) messages.push_back(message->text);
    EXPECT_EQ(messages, row.messages);
    EXPECT_EQ(written, row.written);
  }
}

// The reply event ends SendAndWait before the reader thread has handed the frame to OnReply. Each
// row plays that order: FinishWrite first, OnReply later on another thread (or never), and the slot
// must still be judged by that reply, within a bounded wait.
TEST(PhoneCodec, FinishWriteWaitsForTheReplyThatEndedTheWait) {
  const struct {
    const char* name;
    std::optional<Bytes> reply;  // none: no handler ever sees it
    int handshakeMs;
    bool closingFailure;
  } rows[] = {
      {"slow_handler_ack_read_as_failure", kAck, 5000, false},
      {"slow_handler_refusal_read_as_success", kRefusal, 5000, true},
      {"reply_that_never_reaches_the_handler_counts_as_failed", std::nullopt, 50, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PhoneSaveTracker tracker;
    tracker.Begin();
    const PhoneRequest request = tracker.StartWrite(3, "123");
    ASSERT_TRUE(request.payload);
    std::thread reader([&] {
      if (!row.reply) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the handler is slow, on purpose
      tracker.OnReply(BuildFrame(*request.payload), *row.reply, DefaultAck);
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(tracker.FinishWrite(1, row.handshakeMs));
    const auto waited = std::chrono::steady_clock::now() - started;
    reader.join();
    EXPECT_LT(waited, std::chrono::milliseconds(2000)) << "the handshake must end with the reply";
    EXPECT_EQ(tracker.LastSlotOk(), row.closingFailure ? 0 : 1);
    EXPECT_EQ(tracker.Finish() ? tracker.Finish()->text : "", row.closingFailure ? kClosing : "");
    tracker.Begin();
    EXPECT_FALSE(tracker.Finish()) << "the next save starts clean";
  }
}

}  // namespace
}  // namespace veyra::alarm
