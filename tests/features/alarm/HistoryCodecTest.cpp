#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/alarm/HistoryCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using test::DefaultAck;
using test::Hex;

TEST(HistoryCodec, DecodeRecordFrame) {
  const struct {
    const char* fault;
    const char* frame;
    std::optional<std::string> cells;  // source | event | zone | time
  } rows[] = {
      {"record_read_from_the_wrong_bytes_or_bits", "AA 06 02 7F 21 03 31 2E 2D 00 55",
       "Датчик движения|Тревога|03|03/09 14:45"},
      {"day_read_from_one_byte_only", "AA 06 02 00 00 00 C3 F7 3B 00 55",
       "База|Постановка на охрану|00|12/31 23:59"},
      {"all_bits_set_overflow_a_cell_or_name_source_15", "AA 06 02 FF FF FF FF FF FF 00 55",
       "15|Сбой проверки|255|15/127 31:255"},
      {"source_14_looked_up_past_the_names", "AA 06 02 00 E1 0C 10 20 00 00 55", "14|Тревога|12|01/01 00:00"},
      {"longer_record_misread_or_last_source_name_off_by_one", "AA 07 02 00 D3 00 10 20 00 99 00 55",
       "Беспроводная клавиатура|Выборочный|00|01/01 00:00"},
      {"acknowledgement_like_frame_taken_for_a_record", "AA 00 02 02 55", std::nullopt},
      {"five_data_bytes_taken_for_a_record", "AA 05 02 00 21 03 31 2E 00 55", std::nullopt},
      {"lying_len_read_past_the_frame_end", "AA 06 02 00 21 03 55", std::nullopt},
      {"fragment_taken_for_a_record", "AA 06 02", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const std::optional<HistoryRecord> record = DecodeHistoryRecord(Hex(row.frame));
    ASSERT_EQ(record.has_value(), row.cells.has_value());
    if (!record) continue;
    const auto cells = HistoryRecordCells(*record, 25);
    EXPECT_EQ(cells[0], "25");
    EXPECT_EQ(cells[1] + "|" + cells[2] + "|" + cells[3] + "|" + cells[4], *row.cells);
  }
}

TEST(HistoryCodec, RecordOnlyWhileReadWasSentLast) {
  const Bytes record = Hex("AA 06 02 00 21 03 31 2E 2D 00 55");
  EXPECT_TRUE(HistoryReadRecord(Hex("AA 00 02 02 55"), record));
  EXPECT_FALSE(HistoryReadRecord(Hex("AA 00 0F 0F 55"), record));
  EXPECT_FALSE(HistoryReadRecord(Bytes{}, record));
}

TEST(HistoryCodec, EraseReplyMessage) {
  const struct {
    const char* fault;
    const char* sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged_erase_reported_as_failed", "AA 00 0F 0F 55", "AA 00 0F 0F 55", "Удаление завершено!"},
      {"refused_erase_reported_as_done", "AA 00 0F 0F 55", "AA 00 02 02 55", "Сбой очистки истории!"},
      {"reply_to_a_read_judged_as_the_erase", "AA 00 02 02 55", "AA 00 0F 0F 55", std::nullopt},
      {"reply_judged_with_nothing_sent", "", "AA 00 0F 0F 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const auto message = HistoryEraseReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(message ? std::optional(message->text) : std::nullopt, row.text);
  }
}

}  // namespace
}  // namespace veyra::alarm
