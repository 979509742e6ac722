#include "alarm/HistoryCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/common/CodecTestSupport.h"

namespace veyra::alarm {
namespace {

using testing::DefaultAck;
using testing::Hex;

using Cells = std::array<std::string, 4>;  // source, event, zone, time

TEST(HistoryCodec, Payloads) {
  EXPECT_EQ(FormatHex(BuildFrame(HistoryReadPayload())), "AA 00 02 02 55");
  EXPECT_EQ(FormatHex(BuildFrame(HistoryErasePayload())), "AA 00 0F 0F 55");
}

TEST(HistoryCodec, DecodeRecordFrame) {
  const struct {
    const char* name;
    const char* frame;
    std::optional<Cells> cells;
  } rows[] = {
      {"motion_alarm_zone3_march_9th", "AA 06 02 00 21 03 31 2E 2D 00 55",
       Cells{"Датчик движения", "Тревога", "03", "03/09 14:45"}},
      {"first_data_byte_ignored", "AA 06 02 7F 21 03 31 2E 2D 00 55",
       Cells{"Датчик движения", "Тревога", "03", "03/09 14:45"}},
      {"command_byte_not_checked", "AA 06 0F 00 21 03 31 2E 2D 00 55",
       Cells{"Датчик движения", "Тревога", "03", "03/09 14:45"}},
      {"day_spans_both_bytes", "AA 06 02 00 00 00 C3 F7 3B 00 55",
       Cells{"База", "Постановка на охрану", "00", "12/31 23:59"}},
      {"all_bits_set", "AA 06 02 FF FF FF FF FF FF 00 55",
       Cells{"15", "Сбой проверки", "255", "15/127 31:255"}},
      {"source_14_shows_number", "AA 06 02 00 E1 0C 10 20 00 00 55",
       Cells{"14", "Тревога", "12", "01/01 00:00"}},
      {"longer_record_uses_first_six", "AA 07 02 00 D3 00 10 20 00 99 00 55",
       Cells{"Беспроводная клавиатура", "Выборочный", "00", "01/01 00:00"}},
      {"acknowledgement_like_frame_skipped", "AA 00 02 02 55", std::nullopt},
      {"five_data_bytes_skipped", "AA 05 02 00 21 03 31 2E 00 55", std::nullopt},
      {"lying_len_not_read_past_end", "AA 06 02 00 21 03 55", std::nullopt},
      {"fragment_skipped", "AA 06 02", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<HistoryRecord> record = DecodeHistoryRecord(Hex(row.frame));
    ASSERT_EQ(record.has_value(), row.cells.has_value());
    if (!record) continue;
    const auto cells = HistoryRecordCells(*record, 25);
    EXPECT_EQ(cells[0], "25");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(cells[i + 1], (*row.cells)[i]) << "column " << i + 1;
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
    const char* name;
    const char* sent;
    const char* received;
    std::optional<std::string> text;
  } rows[] = {
      {"acknowledged_erase_done", "AA 00 0F 0F 55", "AA 00 0F 0F 55", "Удаление завершено!"},
      {"refused_erase_not_reported_done", "AA 00 0F 0F 55", "AA 00 02 02 55", "Сбой очистки истории!"},
      {"record_after_read_earns_nothing", "AA 00 02 02 55", "AA 00 0F 0F 55", std::nullopt},
      {"nothing_sent_ignored", "", "AA 00 0F 0F 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto message = HistoryEraseReplyMessage(Hex(row.sent), Hex(row.received), DefaultAck);
    ASSERT_EQ(message.has_value(), row.text.has_value());
    if (message) {
      EXPECT_EQ(message->text, *row.text);
    }
  }
}

TEST(HistoryCodec, NameTablesAtTheirEdges) {
  ASSERT_EQ(HistorySourceNames.size(), 14u);
  ASSERT_EQ(HistoryEventNames.size(), 16u);
  EXPECT_EQ(HistorySourceText(0), "База");
  EXPECT_EQ(HistorySourceText(13), "Беспроводная клавиатура");
  EXPECT_EQ(HistorySourceText(14), "14");
  EXPECT_EQ(HistorySourceText(15), "15");
  EXPECT_EQ(HistoryEventText(0), "Постановка на охрану");
  EXPECT_EQ(HistoryEventText(7), "Питание восстановлено");
  EXPECT_EQ(HistoryEventText(8), "Питание восстановлено");
  EXPECT_EQ(HistoryEventText(9), "Питание восстановлено");
  EXPECT_EQ(HistoryEventText(10), "Neighbour Alarm");
  EXPECT_EQ(HistoryEventText(15), "Сбой проверки");
  EXPECT_EQ(HistoryColumnTitles[4], "Время");
}

}  // namespace
}  // namespace veyra::alarm
