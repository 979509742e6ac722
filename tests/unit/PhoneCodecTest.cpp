#include "alarm/PhoneCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using testing::DefaultAck;
using testing::Hex;

// A number frame as the host sends it, LEN computed.
Bytes NumberFrame(int slot, const Bytes& packed) {
  Bytes payload(packed.size() + 3);
  payload[0] = static_cast<std::uint8_t>(packed.size() + 1);
  payload[1] = 0x0C;
  payload[2] = static_cast<std::uint8_t>(slot);
  std::copy(packed.begin(), packed.end(), payload.begin() + 3);
  return BuildFrame(payload);
}

TEST(PhoneCodec, ReadPayload) { EXPECT_EQ(FormatHex(BuildFrame(PhoneReadPayload())), "AA 00 0C 0C 55"); }

TEST(PhoneCodec, DecodePackedNibbles) {
  const struct {
    const char* name;
    Bytes packed;
    std::string text;
  } rows[] = {
      {"3g_prefix", Hex("3B 12 34 FF"), "3G1234"},
      {"star", Hex("B2 1F"), "*21"},
      {"nibble_A_is_colon", Hex("A5"), ":5"},
      {"odd_count_padded", Hex("12 3F"), "123"},
      {"no_bytes_empty", Bytes{}, ""},
      {"end_nibble_first", Hex("FF"), ""},
      {"C_ends_like_F", Hex("1C 23"), "1"},
      {"3B_only_first_byte", Hex("12 3B"), "123*"},
      {"3G_alone", Hex("3B"), "3G"},
      {"all_digits", Hex("01 23 45 67 89"), "0123456789"},
      {"stops_after_32_bytes", Bytes(40, 0x11), std::string(64, '1')},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DecodePhoneDigits(row.packed), row.text);
  }
}

TEST(PhoneCodec, EncodePackedNibbles) {
  const std::string longWithStar = std::string(40, '1') + "*2";  // "*" past the 32nd character
  const struct {
    const char* name;
    std::string number;
    const char* packed;
  } rows[] = {
      {"3g_prefix", "3G1234", "3B 12 34 FF"},
      {"lower_g_too", "3g1234", "3B 12 34 FF"},
      {"star", "*21", "B2 1F"},
      {"odd_gets_nibble_F", "123", "12 3F"},
      {"even_gets_byte_FF", "1234", "12 34 FF"},
      {"empty_gets_byte_FF", "", "FF"},
      {"colon_is_A", ":5", "A5 FF"},
      {"star_beyond_32_chars_replaced",
       longWithStar,
       "11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 B2 FF"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FormatHex(EncodePhoneDigits(row.number)), row.packed);
  }
}

TEST(PhoneCodec, WritePayloadOrRefusal) {
  const struct {
    const char* name;
    int slot;
    std::string text;
    const char* payload;  // "" when refused
  } rows[] = {
      {"slot1_123", 1, "123", "03 0D 01 12 3F"},
      {"empty_ticked_slot", 7, "", "02 0D 07 FF"},
      {"blanks_around_not_sent", 1, "  123 \t", "03 0D 01 12 3F"},
      {"3g_number", 2, "3G1234", "05 0D 02 3B 12 34 FF"},
      {"63_chars_fill_32_bytes", 12, std::string(63, '9'), nullptr},
      {"64_chars_refused", 3, std::string(64, '9'), ""},
      {"letter_refused", 3, "12a4", ""},
      {"hex_letter_refused", 3, "12B4", ""},
      {"plus_refused", 3, "+7123", ""},
      {"hash_refused", 3, "*21#", ""},
      {"inner_blank_refused", 3, "12 34", ""},
      {"non_ascii_refused", 3, "12\xD0\x97", ""},
      {"slot_0_refused", 0, "123", ""},
      {"slot_13_refused", 13, "123", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PhoneRequest request = PhoneWritePayload(row.slot, row.text);
    if (row.payload == nullptr) {
      ASSERT_TRUE(request.payload);
      EXPECT_EQ(request.payload->size(), 2u + 1u + 32u);
      EXPECT_EQ((*request.payload)[0], 33);
      EXPECT_EQ(request.payload->back(), 0x9F);
    } else if (*row.payload) {
      ASSERT_TRUE(request.payload);
      EXPECT_FALSE(request.refusal);
      EXPECT_EQ(FormatHex(*request.payload), row.payload);
    } else {
      EXPECT_FALSE(request.payload);
      ASSERT_TRUE(request.refusal);
      EXPECT_EQ(request.refusal->text,
                "Сбой при сохранения телефонных номеров " + std::to_string(row.slot) + "!");
    }
  }
}

TEST(PhoneCodec, FrameOnTheLine) {
  EXPECT_EQ(FormatHex(BuildFrame(*PhoneWritePayload(1, "123").payload)), "AA 03 0D 01 12 3F 62 55");
}

TEST(PhoneCodec, WrittenNumberReadsBack) {
  const struct {
    const char* name;
    const char* typed;
    const char* shown;
  } rows[] = {
      {"plain", "13800138000", "13800138000"},
      {"3g_prefix", "3G8613912345678", "3G8613912345678"},
      {"star", "*2101", "*2101"},
      {"g_inside_reads_as_star", "1G2", "1*2"},
      {"colon", "12:3", "12:3"},
      {"empty", "", ""},
      {"longest", "012345678901234567890123456789012345678901234567890123456789012",
       "012345678901234567890123456789012345678901234567890123456789012"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PhoneRequest request = PhoneWritePayload(5, row.typed);
    ASSERT_TRUE(request.payload);
    const Bytes packed(request.payload->begin() + 3, request.payload->end());
    const auto number = DecodePhoneFrame(NumberFrame(5, packed));
    ASSERT_TRUE(number);
    EXPECT_EQ(number->slot, 5);
    EXPECT_EQ(number->text, row.shown);
  }
}

TEST(PhoneCodec, DecodeNumberFrame) {
  Bytes lyingLen = Hex("AA 0A 0C 04 12 34");  // LEN promises 9 packed bytes, two arrive
  lyingLen.push_back(0x00);
  lyingLen.push_back(0x55);
  const struct {
    const char* name;
    Bytes frame;
    std::optional<PhoneNumber> number;
  } rows[] = {
      {"mms_slot_10", NumberFrame(10, Hex("13 80 01 38 00 0F")), PhoneNumber{10, "13800138000"}},
      {"slot_12_edge", NumberFrame(12, Hex("11 2F")), PhoneNumber{12, "112"}},
      {"len_1_empties_the_field", NumberFrame(3, Bytes{}), PhoneNumber{3, ""}},
      {"slot_0_ignored", NumberFrame(0, Hex("12 3F")), std::nullopt},
      {"slot_13_ignored", NumberFrame(13, Hex("12 3F")), std::nullopt},
      {"no_slot_byte_ignored", Hex("AA 00 0C 0C 55"), std::nullopt},
      {"other_command_ignored", Hex("AA 00 0D 0D 55"), std::nullopt},
      {"lying_len_stops_at_frame_end", lyingLen, PhoneNumber{4, "1234"}},
      {"len_over_32_bytes_cut_at_32", NumberFrame(6, Bytes(40, 0x22)), PhoneNumber{6, std::string(64, '2')}},
      {"fragment_ignored", Hex("AA 05 0C"), std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DecodePhoneFrame(row.frame), row.number);
  }
}

TEST(PhoneCodec, SlotLabelsAtTheirEdges) {
  EXPECT_EQ(PhoneSlotLabels[0], "Тел. номер 1");
  EXPECT_EQ(PhoneSlotLabels[6], "SMS. номер 1");
  EXPECT_EQ(PhoneSlotLabels[9], "MMS.номер 1");
  EXPECT_EQ(PhoneSlotLabels[11], "MMS.номер 3");
}

// One slot of a save as the host treats it.
struct HostAnswer {
  int sendResult = 1;                      // what SendAndWait returns
  Bytes reply = Hex("AA 00 0D 0D 55");     // the frame that went through OnReply first
  std::optional<Bytes> lateReply;          // a frame arriving after the wait gave up
};

struct SaveRow {
  const char* name;
  std::vector<std::pair<int, std::string>> ticked;  // slot, field text
  std::map<int, HostAnswer> answers;                // slot -> answer; default acknowledged
  std::vector<std::string> messages;
  std::vector<int> written;
};

// Drives the tracker the way the save loop does.
void RunSave(const SaveRow& row) {
  PhoneSaveTracker tracker;
  std::vector<std::string> messages;
  std::vector<int> written;
  tracker.Begin();
  for (int slot = 1; slot <= kPhoneSlotCount; ++slot) {
    const auto ticked = std::find_if(row.ticked.begin(), row.ticked.end(),
                                     [&](const auto& entry) { return entry.first == slot; });
    if (ticked == row.ticked.end()) {
      tracker.Skip();
      continue;
    }
    const PhoneRequest request = tracker.StartWrite(slot, ticked->second);
    if (!request.payload) {
      messages.push_back(request.refusal->text);
      continue;
    }
    written.push_back(slot);
    const auto found = row.answers.find(slot);
    const HostAnswer answer = found == row.answers.end() ? HostAnswer{} : found->second;
    const Bytes sent = BuildFrame(*request.payload);
    if (answer.sendResult) tracker.OnReply(sent, answer.reply, DefaultAck);
    if (auto message = tracker.FinishWrite(answer.sendResult)) messages.push_back(message->text);
    if (answer.lateReply) tracker.OnReply(sent, *answer.lateReply, DefaultAck);
  }
  if (auto message = tracker.Finish()) messages.push_back(message->text);
  EXPECT_EQ(messages, row.messages);
  EXPECT_EQ(written, row.written);
}

TEST(PhoneCodec, SaveJudgesEveryTickedSlot) {
  const std::string closing = "Сбой при сохранении телефонных номеров!";
  const SaveRow rows[] = {
      {"nothing_ticked_sends_nothing_says_nothing", {}, {}, {}, {}},
      {"all_acknowledged_no_message", {{1, "123"}, {12, "456"}}, {}, {}, {1, 12}},
      {"slot3_refused_by_host_last_ok_still_reported",
       {{3, "123"}, {12, "456"}},
       {{3, HostAnswer{1, Hex("AA 00 0D 0C 55"), std::nullopt}}},
       {closing},
       {3, 12}},
      {"slot3_no_reply_reported_twice",
       {{3, "123"}, {4, "456"}},
       {{3, HostAnswer{0, {}, std::nullopt}}},
       {"Сбой при сохранения телефонных номеров 3!", closing},
       {3, 4}},
      {"late_ack_does_not_turn_no_reply_into_success",
       {{3, "123"}},
       {{3, HostAnswer{0, {}, Hex("AA 00 0D 0D 55")}}},
       {"Сбой при сохранения телефонных номеров 3!", closing},
       {3}},
      {"last_slot_refused",
       {{12, "123"}},
       {{12, HostAnswer{1, Hex("AA 00 0B 0B 55"), std::nullopt}}},
       {closing},
       {12}},
      {"bad_number_not_sent_others_still_written",
       {{2, "12-34"}, {5, "555"}},
       {},
       {"Сбой при сохранения телефонных номеров 2!", closing},
       {5}},
      {"number_frame_during_save_not_an_ack",
       {{1, "123"}},
       {{1, HostAnswer{1, NumberFrame(1, Hex("12 3F")), std::nullopt}}},
       {closing},
       {1}},
  };
  for (const SaveRow& row : rows) {
    SCOPED_TRACE(row.name);
    RunSave(row);
  }
}

TEST(PhoneCodec, TrackerKeepsTheSlotWhoseWriteStartedLast) {
  PhoneSaveTracker tracker;
  EXPECT_EQ(tracker.SavingSlot(), 0);
  tracker.OnReply(BuildFrame(Hex("02 0D 09 1F")), Hex("AA 00 0D 0D 55"), DefaultAck);  // no write yet: ignored
  EXPECT_EQ(tracker.LastSlotOk(), 1);
  tracker.Begin();
  const PhoneRequest request = tracker.StartWrite(9, "1");
  ASSERT_TRUE(request.payload);
  EXPECT_EQ(tracker.SavingSlot(), 9);
  EXPECT_EQ(tracker.LastSlotOk(), 0);
  tracker.OnReply(BuildFrame(*request.payload), Hex("AA 00 0D 0D 55"), DefaultAck);
  EXPECT_EQ(tracker.LastSlotOk(), 1);
  EXPECT_FALSE(tracker.FinishWrite(1));
  tracker.Skip();
  EXPECT_FALSE(tracker.Finish());
  // A new save starts clean; the slot is not reset.
  tracker.Begin();
  EXPECT_EQ(tracker.SavingSlot(), 9);
  EXPECT_FALSE(tracker.AnyFailed());
}

// The reply event ends SendAndWait before the reader thread has handed the frame to OnReply.
// Each row plays that order: FinishWrite is called first, OnReply arrives later on another
// thread, and the slot must still be judged by that reply.
struct HandshakeRow {
  const char* name;
  Bytes reply;
  bool closingFailure;
};

TEST(PhoneCodec, FinishWriteWaitsForTheReplyThatEndedTheWait) {
  const HandshakeRow rows[] = {
      {"slow_handler_ack_read_as_failure", Hex("AA 00 0D 0D 55"), false},
      {"slow_handler_refusal_read_as_success", Hex("AA 01 0D FF 0D 55"), true},
  };
  for (const HandshakeRow& row : rows) {
    SCOPED_TRACE(row.name);
    PhoneSaveTracker tracker;
    tracker.Begin();
    const PhoneRequest request = tracker.StartWrite(3, "123");
    ASSERT_TRUE(request.payload);
    std::thread reader([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the handler is slow, on purpose
      tracker.OnReply(BuildFrame(*request.payload), row.reply, DefaultAck);
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(tracker.FinishWrite(1, 5000));
    const auto waited = std::chrono::steady_clock::now() - started;
    reader.join();
    EXPECT_LT(waited, std::chrono::milliseconds(4000)) << "the handshake must end with the reply";
    EXPECT_EQ(tracker.LastSlotOk(), row.closingFailure ? 0 : 1);
    EXPECT_EQ(tracker.Finish().has_value(), row.closingFailure);
  }
}

TEST(PhoneCodec, OnlyTheReplyToThisWriteJudgesIt) {
  const Bytes ack = Hex("AA 00 0D 0D 55");
  PhoneSaveTracker tracker;
  tracker.Begin();
  const PhoneRequest first = tracker.StartWrite(2, "111");
  ASSERT_TRUE(first.payload);
  tracker.OnReply(BuildFrame(*first.payload), Hex("AA 01 0D FF 0D 55"), DefaultAck);
  EXPECT_FALSE(tracker.FinishWrite(1));
  // Slot 2 failed; its duplicate acknowledgement, still reported with slot 2's frame, and a
  // frame that came before slot 5's command was written must not judge slot 5.
  const PhoneRequest second = tracker.StartWrite(5, "555");
  ASSERT_TRUE(second.payload);
  tracker.OnReply(BuildFrame(*first.payload), ack, DefaultAck);
  EXPECT_EQ(tracker.LastSlotOk(), 0) << "previous_write_ack_counted_for_this_slot";
  tracker.OnReply(BuildFrame(*second.payload), Hex("AA 01 0D FF 0D 55"), DefaultAck);
  tracker.OnReply(BuildFrame(*second.payload), ack, DefaultAck);  // a second frame: not the reply
  EXPECT_EQ(tracker.LastSlotOk(), 0) << "later_frame_overrode_the_reply_that_ended_the_wait";
  EXPECT_FALSE(tracker.FinishWrite(1));
  EXPECT_TRUE(tracker.Finish());
}

TEST(PhoneCodec, ReplyThatNeverReachesTheHandlerCountsAsFailed) {
  PhoneSaveTracker tracker;
  tracker.Begin();
  ASSERT_TRUE(tracker.StartWrite(12, "1").payload);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(tracker.FinishWrite(1, 50));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2000)) << "unbounded_wait";
  EXPECT_EQ(tracker.LastSlotOk(), 0);
  ASSERT_TRUE(tracker.Finish());
  EXPECT_EQ(tracker.Finish()->text, "Сбой при сохранении телефонных номеров!");
}

}  // namespace
}  // namespace veyra::alarm
