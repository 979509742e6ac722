#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "features/sensors/SensorListCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::sensors {
namespace {

using test::Hex;

Bytes SensorFrame(std::uint8_t typeMode) {
  return BuildFrame({0x07, 0x12, 0x07, 0x1A, 0x02, 0xB3, 0x04, 0x15, typeMode});
}
const Bytes kRemote = BuildFrame({0x04, 0x13, 0x02, 0x1A, 0x02, 0xB4});
const Bytes kDoorbell = BuildFrame({0x04, 0x14, 0x01, 0xD0, 0x0B, 0xE1});
const Bytes kKeypad = BuildFrame({0x02, 0x24, 0x4B, 0x01});

// Which filter positions (0 to 10) show a frame; every position is tried against every frame.
TEST(SensorListCodec, FilterTable) {
  const struct {
    const char* expect;
    Bytes frame;
    std::set<int> shownUnder;
  } rows[] = {
      {"type_0_sensor_shown_under_all_only", SensorFrame(0x01), {0}},
      {"panic_button_sensor_shown_under_panic", SensorFrame(0x14), {0, 10}},
      {"pir_sensor_under_its_filter", SensorFrame(0x21), {0, 2}},
      {"door_sensor_under_its_filter", SensorFrame(0x31), {0, 3}},
      {"active_ir_sensor_under_its_filter", SensorFrame(0x41), {0, 4}},
      {"gas_sensor_under_its_filter", SensorFrame(0x51), {0, 5}},
      {"smoke_sensor_under_its_filter", SensorFrame(0x61), {0, 6}},
      {"water_sensor_under_its_filter", SensorFrame(0x71), {0, 7}},
      {"heat_sensor_under_its_filter", SensorFrame(0x81), {0, 8}},
      {"type_9_sensor_shown_under_all_only", SensorFrame(0x91), {0}},
      {"type_10_sensor_shown_under_panic", SensorFrame(0xA1), {0, 10}},
      {"type_11_sensor_shown_under_all_only", SensorFrame(0xB1), {0}},
      {"type_15_sensor_shown_under_all_only", SensorFrame(0xF3), {0}},
      {"remote_under_its_own_filter", kRemote, {0, 1}},
      {"doorbell_under_its_own_filter", kDoorbell, {0, 9}},
      {"keypad_shown_under_panic", kKeypad, {0, 10}},
      {"acknowledgement_placed_nowhere", Hex("AA 00 12 12 55"), {}},
      {"another_command_placed_nowhere", BuildFrame({0x07, 0x15, 1, 2, 3, 4, 5, 6, 0x21}), {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    for (int filter = -1; filter <= 11; ++filter)
      EXPECT_EQ(SensorListRow(row.frame, filter).has_value(), row.shownUnder.count(filter) == 1)
          << "filter " << filter;
  }
}

// The cells of each kind of device, and the frames shorter than their layout, which are skipped.
TEST(SensorListCodec, CellsOfEachKindOrNone) {
  const struct {
    const char* expect;
    Bytes frame;
    std::optional<std::string> cells;
  } rows[] = {
      {"pir_arming_named", SensorFrame(0x21), "PIR-датчик\t07\t15\tПостановка\t1a:02:b3:04"},
      {"type_above_10_named_keypad", SensorFrame(0xF3), "keypad\t07\t15\tСнятие\t1a:02:b3:04"},
      {"type_0_named_all", SensorFrame(0x00), "Все\t07\t15\tПусто\t1a:02:b3:04"},
      {"door_sensor_with_its_latin_d", SensorFrame(0x36),
       "DДверной датчик\t07\t15\tЗадержка выборки\t1a:02:b3:04"},
      {"mode_7_left_blank", SensorFrame(0x27), "PIR-датчик\t07\t15\t\t1a:02:b3:04"},
      {"mode_8_shown_as_its_number", SensorFrame(0x28), "PIR-датчик\t07\t15\t8\t1a:02:b3:04"},
      {"mode_15_shown_as_its_number", SensorFrame(0x2F), "PIR-датчик\t07\t15\t15\t1a:02:b3:04"},
      {"number_and_zone_shown_whole_and_id_lower_case",
       BuildFrame({0x07, 0x12, 200, 0xFF, 0x00, 0xAB, 0x0C, 0x9A, 0x54}),
       "Датчик газа\t200\t9a\tТревога\tff:00:ab:0c"},
      {"remote_zone_and_mode_fixed", kRemote, "Пульт ДУ\t02\t01\tТревога\t1a:02:b4"},
      {"doorbell_zone_and_mode_fixed", kDoorbell, "Беспроводной звонок\t01\t94\tПусто\td0:0b:e1"},
      {"keypad_id_read_from_its_own_byte", kKeypad, "keypad\t01\t01\tПусто\t4b:01"},
      {"longer_frame_read", BuildFrame({0x05, 0x13, 0x09, 0x01, 0x02, 0x03, 0x77}),
       "Пульт ДУ\t09\t01\tТревога\t01:02:03"},
      {"sensor_with_six_data_bytes_not_read", BuildFrame({0x06, 0x12, 0x07, 0x1A, 0x02, 0xB3, 0x04, 0x15}),
       std::nullopt},
      {"sensor_with_a_lying_len_not_read", Hex("AA 07 12 07 1A 02 55"), std::nullopt},
      {"sensor_whose_len_holds_three_bytes_not_read", Hex("AA 03 12 07 1A 02 B3 04 15 21 00 55"),
       std::nullopt},
      {"remote_with_three_data_bytes_not_read", BuildFrame({0x03, 0x13, 0x02, 0x1A, 0x02}), std::nullopt},
      {"doorbell_with_one_data_byte_not_read", BuildFrame({0x01, 0x14, 0x02}), std::nullopt},
      {"keypad_with_one_data_byte_not_read", BuildFrame({0x01, 0x24, 0x4B}), std::nullopt},
      {"frame_cut_before_its_command_not_read", Hex("AA 07"), std::nullopt},
      {"empty_frame_not_read", Bytes{}, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<SensorCells> cells = SensorListRow(row.frame, kFilterAll);
    EXPECT_EQ(DecodeDeviceFrame(row.frame).has_value(), row.cells.has_value());
    ASSERT_EQ(cells.has_value(), row.cells.has_value());
    if (cells) {
      EXPECT_EQ(SensorTabLine(*cells), *row.cells);
    }
  }
}

// Each header over the cells it names: a header that reads as its neighbour's column tells an
// installer the opposite of what the cells hold.
TEST(SensorListCodec, EachHeaderNamesWhatItsColumnHolds) {
  const SensorCells cells = *SensorListRow(SensorFrame(0x21), kFilterAll);
  const struct {
    const char* expect;
    int column;
    std::string_view header;
    std::string cell;
  } rows[] = {
      {"mode_column_headed_mode", kModeColumn, "Режим", "Постановка"},
      {"id_column_headed_id", kIdColumn, "ID", "1a:02:b3:04"},
      {"type_column_keeps_its_name", 0, "Название датчика", "PIR-датчик"},
      {"number_column_keeps_its_name", 1, "Номер датчика", "07"},
      {"zone_column_keeps_its_name", 2, "Зона", "15"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(SensorColumnTitles[row.column], row.header);
    EXPECT_EQ(cells[row.column], row.cell);
  }
}

}  // namespace
}  // namespace veyra::sensors
