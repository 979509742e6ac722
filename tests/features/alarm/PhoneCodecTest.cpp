#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "features/alarm/PhoneCodec.h"
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

// Every number that is sent must read back as typed ("G" as "*" past the prefix).
TEST(PhoneCodec, WritePayloadReadsBackOrIsRefused) {
  const struct {
    const char* expect;
    int slot;
    std::string typed;
    const char* payload;  // nullptr when refused
    std::string shown;    // read back; for a refusal, its detail
  } rows[] = {
      {"even_length_ends_with_an_FF_byte", 4, "0123456789", "07 0D 04 01 23 45 67 89 FF", "0123456789"},
      {"empty_ticked_slot_sent_as_FF", 7, "", "02 0D 07 FF", ""},
      {"3G_prefix_packed_as_3B", 2, "3G1234", "05 0D 02 3B 12 34 FF", "3G1234"},
      {"lower_g_sent_as_B", 5, "1g2", "03 0D 05 1B 2F", "1*2"},
      {"star_and_colon_get_their_nibbles", 6, "*2:1", "04 0D 06 B2 A1 FF", "*2:1"},
      {"odd_length_ends_in_nibble_F_and_blanks_around_dropped", 1, "  123 \t", "03 0D 01 12 3F", "123"},
      {"star_G_and_g_past_32_characters_sent_as_B", 4, "1234567890123456789012345678901234*G6g90",
       "16 0D 04 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 BB 6B 90 FF",
       "1234567890123456789012345678901234**6*90"},
      {"63_characters_fill_32_bytes_and_are_sent", 12, std::string(63, '9'),
       "21 0D 0C 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 "
       "99 9F",
       std::string(63, '9')},
      {"64_characters_refused_as_too_long", 3, std::string(64, '9'), nullptr,
       "Номер слишком длинный: не больше 63 знаков."},
      {"hex_letter_refused_and_named", 3, "12B4", nullptr,
       "Знак «B» нельзя сохранить в номере: допустимы только цифры, * и G."},
      {"inner_blank_refused_and_named", 3, "12 34", nullptr,
       "Знак пробел нельзя сохранить в номере: допустимы только цифры, * и G."},
      {"plus_refused_with_the_8_hint", 1, "+79001234567", nullptr,
       "Знак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» запишите как «8…» "
       "или «007…»."},
      {"cyrillic_letter_named_whole", 2, "8900З12", nullptr,
       "Знак «З» нельзя сохранить в номере: допустимы только цифры, * и G."},
      {"bad_character_of_a_long_number_named_first", 2, std::string(70, '1') + "-", nullptr,
       "Знак «-» нельзя сохранить в номере: допустимы только цифры, * и G."},
      {"slot_0_refused", 0, "123", nullptr, ""},
      {"slot_13_refused", 13, "123", nullptr, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const PhoneRequest request = PhoneWritePayload(row.slot, row.typed);
    ASSERT_EQ(request.payload.has_value(), row.payload != nullptr);
    ASSERT_EQ(request.refusal.has_value(), row.payload == nullptr);
    if (request.refusal) {
      EXPECT_EQ(request.refusal->text, kSlotFailed + std::to_string(row.slot) + "!");
      EXPECT_EQ(request.refusal->detail, row.shown);
      continue;
    }
    EXPECT_EQ(FormatHex(*request.payload), row.payload);
    const Bytes sent(request.payload->begin() + 3, request.payload->end());
    EXPECT_EQ(DecodePhoneFrame(NumberFrame(row.slot, sent)), (PhoneNumber{row.slot, row.shown}));
  }
}

TEST(PhoneCodec, DecodeNumberFrame) {
  const struct {
    const char* expect;
    Bytes frame;
    std::optional<PhoneNumber> number;
  } rows[] = {
      {"nibble_C_ends_the_number", NumberFrame(1, Hex("1C 23")), PhoneNumber{1, "1"}},
      {"high_nibble_C_ends_the_number", NumberFrame(1, Hex("12 C3")), PhoneNumber{1, "12"}},
      {"3B_past_the_first_byte_reads_as_3_star", NumberFrame(1, Hex("12 3B")), PhoneNumber{1, "123*"}},
      {"slot_12_read", NumberFrame(12, Hex("11 2F")), PhoneNumber{12, "112"}},
      {"frame_without_digits_reads_as_an_empty_number", NumberFrame(3, Bytes{}), PhoneNumber{3, ""}},
      {"slot_0_not_read", NumberFrame(0, Hex("12 3F")), std::nullopt},
      {"slot_13_not_read", NumberFrame(13, Hex("12 3F")), std::nullopt},
      {"frame_without_a_slot_byte_not_read", Hex("AA 00 0C 0C 55"), std::nullopt},
      {"other_command_not_read_as_a_number", Hex("AA 00 0D 0D 55"), std::nullopt},
      {"lying_len_read_up_to_the_frame_end", Hex("AA 0A 0C 04 12 34 00 55"), PhoneNumber{4, "1234"}},
      {"more_than_32_packed_bytes_read_whole", NumberFrame(6, Bytes(40, 0x22)),
       PhoneNumber{6, std::string(64, '2')}},
      {"fragment_not_read", Hex("AA 05 0C"), std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(DecodePhoneFrame(row.frame), row.number) << row.expect;
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
    const char* expect;
    std::vector<Ticked> ticked;  // in slot order
    std::vector<std::string> messages;
    std::vector<int> written;
  } rows[] = {
      // clang-format off
      {"acknowledged_save_reported_done", {{1, "123"}, {12, "456"}}, {}, {1, 12}},
      {"refused_slot_reported_after_a_good_last_slot", {{3, "123", Hex("AA 00 0D 0C 55")}, {12, "456"}},
       {kClosing}, {3, 12}},
      {"unanswered_slot_reported_despite_its_late_ack",
       {{.slot = 3, .text = "123", .reply = {}, .lateAck = true}, {4, "456"}}, {kSlotFailed + "3!", kClosing},
       {3, 4}},
      {"bad_number_refused_and_the_other_slots_written", {{2, "12-34"}, {5, "555"}}, {kSlotFailed + "2!", kClosing},
       {5}},
      {"number_frame_is_no_acknowledgement", {{1, "123", NumberFrame(1, Hex("12 3F"))}}, {kClosing}, {1}},
      {"previous_writes_ack_not_counted_for_this_slot",
       {{2, "111"}, {.slot = 5, .text = "555", .reply = kRefusal, .staleAck = true}}, {kClosing}, {2, 5}},
      {"the_reply_that_ended_the_wait_stands",
       {{.slot = 5, .text = "555", .reply = kRefusal, .secondAck = true}}, {kClosing}, {5}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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

// A send that reports a reply whose frame never reached the tracker (no handler attached) must not
// pass for an acknowledged slot.
TEST(PhoneCodec, AReplyNoHandlerSawIsAFailedSlot) {
  PhoneSaveTracker tracker;
  tracker.Begin();
  ASSERT_TRUE(tracker.StartWrite(3, "123").payload);
  EXPECT_FALSE(tracker.FinishWrite(1));
  EXPECT_EQ(tracker.LastSlotOk(), 0);
  EXPECT_EQ(tracker.Finish() ? tracker.Finish()->text : "", kClosing);
  tracker.Begin();
  EXPECT_FALSE(tracker.Finish()) << "the next save starts clean";
}

}  // namespace
}  // namespace veyra::alarm
