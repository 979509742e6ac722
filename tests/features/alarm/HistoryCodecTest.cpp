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
    const char* expect;
    const char* frame;
    std::optional<std::string> cells;  // source | event | zone | time
  } rows[] = {
      {"record_read_from_its_own_bytes_and_bits", "AA 06 02 7F 21 03 31 2E 2D 00 55",
       "Датчик движения|Тревога|03|03/09 14:45"},
      {"day_read_across_two_bytes", "AA 06 02 00 00 00 C3 F7 3B 00 55",
       "База|Постановка на охрану|00|12/31 23:59"},
      {"all_bits_set_fit_their_cells_and_source_15_shows_its_number", "AA 06 02 FF FF FF FF FF FF 00 55",
       "15|Сбой проверки|255|15/127 31:255"},
      {"source_14_shows_its_number", "AA 06 02 00 E1 0C 10 20 00 00 55", "14|Тревога|12|01/01 00:00"},
      {"longer_record_read_and_last_source_named", "AA 07 02 00 D3 00 10 20 00 99 00 55",
       "Беспроводная клавиатура|Выборочный|00|01/01 00:00"},
      {"acknowledgement_like_frame_is_no_record", "AA 00 02 02 55", std::nullopt},
      {"five_data_bytes_are_no_record", "AA 05 02 00 21 03 31 2E 00 55", std::nullopt},
      {"lying_len_is_no_record", "AA 06 02 00 21 03 55", std::nullopt},
      {"fragment_is_no_record", "AA 06 02", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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
    const char* expect;
    const char* sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged_erase_reported_done", "AA 00 0F 0F 55", "AA 00 0F 0F 55", "Удаление завершено!"},
      {"refused_erase_reported_as_failed", "AA 00 0F 0F 55", "AA 00 02 02 55", "Сбой очистки истории!"},
      {"reply_after_a_read_not_judged_as_an_erase", "AA 00 02 02 55", "AA 00 0F 0F 55", std::nullopt},
      {"reply_not_judged_with_nothing_sent", "", "AA 00 0F 0F 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto message = HistoryEraseReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    EXPECT_EQ(message ? std::optional(message->text) : std::nullopt, row.text);
  }
}

}  // namespace
}  // namespace veyra::alarm
