#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/sensors/SensorEditCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::sensors {
namespace {

using test::DefaultAck;
using test::Hex;

const std::string kFormat = "Ошибка формата ввода!!";

// Learning, deleting one device and setting the siren ID: the frame sent, or the refusal shown.
TEST(SensorEditCodec, RequestPayloadOrRefusal) {
  const std::string noZone = "Введите зону!!", noNumber = "Введите NO. датчика!!";
  const struct {
    const char* expect;
    SensorRequest request;
    std::string frame;    // "" when refused
    std::string refusal;  // "" when sent
  } rows[] = {
      {"type_and_mode_sent_as_their_codes", LearnRequest(2, 1, "12"), "AA 02 11 32 12 57 55", ""},
      {"zone_1_packed", LearnRequest(0, 0, "1"), "AA 02 11 11 01 25 55", ""},
      {"keypad_with_delayed_partial_gets_its_nibbles", LearnRequest(9, 5, "07"), "AA 02 11 A6 07 C0 55", ""},
      {"second_motion_entry_sent_as_code_4", LearnRequest(3, 3, "99"), "AA 02 11 44 99 F0 55", ""},
      {"zone_15_sent_as_packed_digits", LearnRequest(1, 0, "15"), "AA 02 11 21 15 49 55", ""},
      {"zone_0_sent", LearnRequest(1, 0, "0"), "AA 02 11 21 00 34 55", ""},
      {"empty_zone_refused", LearnRequest(0, 0, ""), "", noZone},
      {"blank_zone_refused", LearnRequest(0, 0, "  "), "", noZone},
      {"zone_only_from_the_first_line", LearnRequest(0, 0, "\n12"), "", noZone},
      {"letters_refused_as_a_zone", LearnRequest(0, 0, "ab"), "", kFormat},
      {"zone_100_refused", LearnRequest(0, 0, "100"), "", kFormat},
      {"negative_zone_refused", LearnRequest(0, 0, "-1"), "", kFormat},
      {"type_past_the_list_refused", LearnRequest(10, 0, "1"), "", kFormat},
      {"no_type_selected_refused", LearnRequest(-1, 0, "1"), "", kFormat},
      {"mode_past_the_list_refused", LearnRequest(0, 6, "1"), "", kFormat},
      {"number_sent_less_one", DeleteOneRequest(1, "1"), "AA 02 15 01 00 18 55", ""},
      {"number_0_sent_as_0", DeleteOneRequest(1, "0"), "AA 02 15 01 00 18 55", ""},
      {"remote_kind_sent_as_0", DeleteOneRequest(0, "12"), "AA 02 15 00 0B 22 55", ""},
      {"number_sent_in_binary", DeleteOneRequest(1, "99"), "AA 02 15 01 62 7A 55", ""},
      {"empty_number_refused", DeleteOneRequest(1, ""), "", noNumber},
      {"blank_number_refused", DeleteOneRequest(1, "  "), "", noNumber},
      {"letters_refused_as_a_number", DeleteOneRequest(1, "ab"), "", kFormat},
      {"number_past_two_digits_refused", DeleteOneRequest(1, "300"), "", kFormat},
      {"kind_past_the_list_refused", DeleteOneRequest(2, "1"), "", kFormat},
      {"digit_pairs_packed_high_nibble_first", SirenIdRequest("01201120"), "AA 04 19 01 20 11 20 6F 55", ""},
      {"all_twos_sent", SirenIdRequest("22222222"), "AA 04 19 22 22 22 22 A5 55", ""},
      {"empty_id_refused", SirenIdRequest(""), "", "Укажите ID сирены!!"},
      {"eight_blanks_refused", SirenIdRequest("        "), "", kFormat},
      {"seven_digits_refused", SirenIdRequest("0120112"), "", kFormat},
      {"digit_3_refused", SirenIdRequest("01201130"), "", kFormat},
      {"digit_9_in_the_first_place_refused", SirenIdRequest("91201120"), "", kFormat},
      {"nine_digits_refused", SirenIdRequest("012011201"), "", kFormat},
      {"letters_refused_in_an_id", SirenIdRequest("0120a120"), "", kFormat},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    ASSERT_EQ(row.request.payload.has_value(), !row.frame.empty());
    ASSERT_EQ(row.request.refusal.has_value(), !row.refusal.empty());
    EXPECT_EQ(row.request.payload ? FormatHex(BuildFrame(*row.request.payload)) : "", row.frame);
    EXPECT_EQ(row.request.refusal.value_or(Message{}),
              row.refusal.empty() ? Message{} : OwnedMessage(row.refusal));
  }
}

TEST(SensorEditCodec, DeleteAllPayloadsQuestionsAndNoReplyTexts) {
  const struct {
    const char* expect;
    DeleteAllKind kind;
    const char* frame;
    const char* noReply;
  } rows[] = {
      {"sensors_deleted_with_their_own_command", DeleteAllKind::Sensors, "AA 00 16 16 55",
       "Data sending error!"},
      {"remotes_deleted_with_their_own_command", DeleteAllKind::Remotes, "AA 00 17 17 55",
       "Ошибка передачи данных!"},
      {"doorbells_deleted_with_their_own_command", DeleteAllKind::Doorbells, "AA 00 18 18 55",
       "Ошибка передачи данных!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const Bytes payload = DeleteAllPayload(row.kind);
    EXPECT_EQ(FormatHex(BuildFrame(payload)), row.frame);
    EXPECT_EQ(payload[1], DeleteAllCommand(row.kind));
    EXPECT_EQ(EditNoReplyText(payload), row.noReply);
    EXPECT_FALSE(DeleteAllQuestion(row.kind).empty());
  }
  EXPECT_NE(DeleteAllQuestion(DeleteAllKind::Sensors), DeleteAllQuestion(DeleteAllKind::Remotes));
  EXPECT_NE(DeleteAllQuestion(DeleteAllKind::Remotes), DeleteAllQuestion(DeleteAllKind::Doorbells));
  for (const char* payload : {"02 11 11 01", "02 15 01 00", "04 19 01 20 11 20"})
    EXPECT_EQ(EditNoReplyText(Hex(payload)), "Ошибка передачи данных!") << payload;
}

TEST(SensorEditCodec, FieldsReadAsAtoiReadsTheirFirstLine) {
  EXPECT_EQ(FieldNumber(""), std::nullopt) << "empty_field_taken_as_entered";
  EXPECT_EQ(FieldNumber("\r\n5"), std::nullopt) << "second_line_read";
  EXPECT_EQ(FieldNumber("07"), 7);
  EXPECT_EQ(FieldNumber(" 7x"), 7) << "leading_blank_or_trailing_junk_misread";
  EXPECT_EQ(FieldNumber("x"), 0) << "no_digits_not_zero";
  EXPECT_EQ(FieldNumber("99999999999999999999"), 1000000) << "huge_overflows";
}

// The one outcome table of the edit page: only an acknowledged learn earns a message.
TEST(SensorEditCodec, ReplyMessage) {
  const std::string learn = test::FrameLine("02 11 32 12"), trigger = std::string(kLearnTriggerText);
  const struct {
    const char* expect;
    std::string sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged_learn_shows_the_trigger_box", learn, "AA 00 11 11 55", trigger},
      {"differing_learn_reply_shows_nothing", learn, "AA 00 12 12 55", std::nullopt},
      {"refusal_frame_shows_nothing", learn, "AA 01 11 00 12 55", std::nullopt},
      {"delete_acknowledgement_shows_no_box", test::FrameLine("02 15 01 00"), "AA 00 15 15 55", std::nullopt},
      {"delete_all_acknowledgement_shows_no_box", "AA 00 16 16 55", "AA 00 16 16 55", std::nullopt},
      {"siren_acknowledgement_shows_no_box", test::FrameLine("04 19 01 20 11 20"), "AA 00 19 19 55",
       std::nullopt},
      {"learn_ack_after_another_command_shows_nothing", "AA 00 16 16 55", "AA 00 11 11 55", std::nullopt},
      {"reply_not_judged_with_nothing_sent", "", "AA 00 11 11 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto message = EditReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(message, row.text ? std::optional(OwnedMessage(*row.text)) : std::nullopt);
  }
  EXPECT_FALSE(EditReplyMessage(Hex(learn), Hex("AA 00 11 11 55"), nullptr))
      << "no_ack_table_taken_as_a_match";
}

// What the status line says of the replies the page's boxes say nothing about.
TEST(SensorEditCodec, ReplyStatus) {
  const std::string learn = test::FrameLine("02 11 32 12"), deleteOne = test::FrameLine("02 15 01 00"),
                    siren = test::FrameLine("04 19 01 20 11 20");
  const std::string deleted = std::string(kDeletedStatusText),
                    notConfirmed = std::string(kNotConfirmedStatusText);
  const struct {
    const char* expect;
    std::string sent;
    const char* received;
    std::optional<std::string> status;
  } rows[] = {
      {"acknowledged_learn_said_only_by_its_trigger_box", learn, "AA 00 11 11 55", std::nullopt},
      {"differing_learn_reply_said_not_confirmed", learn, "AA 00 12 12 55", notConfirmed},
      {"acknowledged_deletion_said_deleted", deleteOne, "AA 00 15 15 55", deleted},
      {"refused_deletion_said_not_confirmed", deleteOne, "AA 01 15 00 16 55", notConfirmed},
      {"delete_all_sensors_said_deleted", "AA 00 16 16 55", "AA 00 16 16 55", deleted},
      {"delete_all_remotes_said_deleted", "AA 00 17 17 55", "AA 00 17 17 55", deleted},
      {"delete_all_doorbells_said_deleted", "AA 00 18 18 55", "AA 00 18 18 55", deleted},
      {"deletion_not_confirmed_by_another_commands_ack", "AA 00 17 17 55", "AA 00 16 16 55", notConfirmed},
      {"siren_id_said_set", siren, "AA 00 19 19 55", std::string(kSirenIdSetStatusText)},
      {"siren_refusal_said_not_confirmed", siren, "AA 00 15 15 55", notConfirmed},
      {"reply_to_another_page_not_judged", "AA 00 12 12 55", "AA 00 12 12 55", std::nullopt},
      {"reply_not_judged_with_nothing_sent", "", "AA 00 15 15 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto status = EditReplyStatus(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(status ? std::optional(std::string(*status)) : std::nullopt, row.status);
  }
  EXPECT_EQ(EditReplyStatus(Hex(deleteOne), Hex("AA 00 15 15 55"), nullptr), kNotConfirmedStatusText)
      << "no_ack_table_taken_as_a_match";
}

}  // namespace
}  // namespace veyra::sensors
