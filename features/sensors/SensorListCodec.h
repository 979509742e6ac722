// The list of enrolled wireless devices: one query answered by one frame per device (sensors,
// remote controls, doorbells, the keypad), the type filter that picks which of them become rows,
// and the device type and zone mode codes the learn command carries too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/Frame.h"
#include "link/Translatable.h"

namespace veyra::sensors {

inline constexpr std::uint8_t kSensorListCommand = 0x12;
// The command byte of each kind of device frame; a sensor frame shares the query's code.
inline constexpr std::uint8_t kSensorFrameCommand = 0x12;
inline constexpr std::uint8_t kRemoteFrameCommand = 0x13;
inline constexpr std::uint8_t kDoorbellFrameCommand = 0x14;
inline constexpr std::uint8_t kKeypadFrameCommand = 0x24;

// The high nibble of a sensor record's type/mode byte and of the learn command's.
enum class SensorType : std::uint8_t {
  None = 0,
  PanicButton = 1,  // also what a remote control is learnt as
  Pir = 2,
  Door = 3,
  ActiveInfrared = 4,
  Gas = 5,
  Smoke = 6,
  Water = 7,
  Heat = 8,
  Doorbell = 9,
  Keypad = 10,
};
inline constexpr int kHighestSensorType = 10;  // codes above it are shown as it

// The low nibble of the same byte.
enum class ZoneMode : std::uint8_t {
  Empty = 0,
  Arm = 1,
  Partial = 2,
  Disarm = 3,
  Alarm = 4,
  DelayedArm = 5,
  DelayedPartial = 6,
};

// The type column's text, indexed by SensorType 0 to 10. The "D" in front of the door sensor is
// Latin and belongs to the text.
inline constexpr std::array<std::string_view, kHighestSensorType + 1> SensorTypeTexts = {
    QT_TRANSLATE_NOOP("veyra", "Все"),
    QT_TRANSLATE_NOOP("veyra", "Тревожная кнопка"),
    QT_TRANSLATE_NOOP("veyra", "PIR-датчик"),
    QT_TRANSLATE_NOOP("veyra", "DДверной датчик"),
    QT_TRANSLATE_NOOP("veyra", "Датчик движения"),
    QT_TRANSLATE_NOOP("veyra", "Датчик газа"),
    QT_TRANSLATE_NOOP("veyra", "Датчик дыма"),
    QT_TRANSLATE_NOOP("veyra", "Датчик воды"),
    QT_TRANSLATE_NOOP("veyra", "Тепловой датчик"),
    QT_TRANSLATE_NOOP("veyra", "Беспроводной звонок"),
    QT_TRANSLATE_NOOP("veyra", "keypad")};

// The mode column's text, indexed by ZoneMode 0 to 7; from 1 on also the learn-mode list.
inline constexpr std::array<std::string_view, 8> ZoneModeNames = {
    QT_TRANSLATE_NOOP("veyra", "Пусто"),
    QT_TRANSLATE_NOOP("veyra", "Постановка"),
    QT_TRANSLATE_NOOP("veyra", "Выборка"),
    QT_TRANSLATE_NOOP("veyra", "Снятие"),
    QT_TRANSLATE_NOOP("veyra", "Тревога"),
    QT_TRANSLATE_NOOP("veyra", "Задержка активации"),
    QT_TRANSLATE_NOOP("veyra", "Задержка выборки"),
    ""};

// The filter list, in its order; position 0 is selected when the page opens.
inline constexpr std::array<std::string_view, 11> SensorFilterTexts = {
    QT_TRANSLATE_NOOP("veyra", "Все"),
    QT_TRANSLATE_NOOP("veyra", "Пульт ДУ"),
    QT_TRANSLATE_NOOP("veyra", "PIR-датчик"),
    QT_TRANSLATE_NOOP("veyra", "Дверной датчик"),
    QT_TRANSLATE_NOOP("veyra", "Активный ИК"),
    QT_TRANSLATE_NOOP("veyra", "Датчик газа"),
    QT_TRANSLATE_NOOP("veyra", "Датчик дыма"),
    QT_TRANSLATE_NOOP("veyra", "Датчик воды"),
    QT_TRANSLATE_NOOP("veyra", "Тепловой датчик"),
    QT_TRANSLATE_NOOP("veyra", "Беспроводной звонок"),
    QT_TRANSLATE_NOOP("veyra", "Тревожная кнопка")};
inline constexpr int kFilterAll = 0;
inline constexpr int kFilterRemotes = 1;
inline constexpr int kFilterDoorbells = 9;
inline constexpr int kFilterPanicAndKeypad = 10;

// Each header names what its column holds: the zone mode sits under "Режим", the device's code
// under "ID". (One name over each neighbour's column read as the opposite of the cells below.)
inline constexpr std::array<std::string_view, 5> SensorColumnTitles = {
    QT_TRANSLATE_NOOP("veyra", "Название датчика"), QT_TRANSLATE_NOOP("veyra", "Номер датчика"),
    QT_TRANSLATE_NOOP("veyra", "Зона"), QT_TRANSLATE_NOOP("veyra", "Режим"),
    QT_TRANSLATE_NOOP("veyra", "ID")};
inline constexpr int kModeColumn = 3;
inline constexpr int kIdColumn = 4;
using SensorCells = std::array<std::string, SensorColumnTitles.size()>;

inline constexpr std::string_view kSensorsHostNotFoundText =
    QT_TRANSLATE_NOOP("veyra", "3G камера не найдена!!");
inline constexpr std::string_view kSensorListNoReplyText = QT_TRANSLATE_NOOP("veyra", "Не искать датчик!");

enum class DeviceKind { Sensor, Remote, Doorbell, Keypad };

// One device frame as the host sends it. Unused fields stay 0.
struct DeviceRecord {
  DeviceKind kind = DeviceKind::Sensor;
  std::uint8_t number = 0;           // byte 3; the keypad has none
  std::array<std::uint8_t, 4> id{};  // in display order
  std::size_t idLength = 0;          // 4 sensor, 3 remote and doorbell, 2 keypad
  std::uint8_t zone = 0;             // sensor: packed decimal
  std::uint8_t typeMode = 0;         // sensor: SensorType << 4 | ZoneMode

  bool operator==(const DeviceRecord&) const = default;
};

// 00 12.
Bytes SensorListPayload();

// A device frame, told by its own command byte whatever was sent. None for another command and
// for a frame holding fewer data bytes than its kind's layout (by LEN or by its real length):
// such a frame is skipped rather than read past its end.
std::optional<DeviceRecord> DecodeDeviceFrame(const Bytes& frame);

// Whether the filter at position `filter` (0 to 10) lets the device become a row. A sensor is
// judged by its raw type code: type 1 only under "Тревожная кнопка", 0, 9 and 11 to 15 only
// under "Все". Positions outside the list show nothing.
bool FilterShows(int filter, const DeviceRecord& device);

// The type code a sensor is shown as: codes above 10 as 10.
std::uint8_t ShownSensorType(std::uint8_t typeMode);

// The mode column for a low nibble: its name, or for codes 8 to 15, which have none, the number.
std::string ZoneModeText(std::uint8_t mode);

// The five cells of a device's row: type text, number ("%0.2d"), zone ("%0.2x"), mode, ID
// ("%0.2x" bytes joined by ":"). Remote controls show zone "01" and "Тревога", doorbells "94"
// and "Пусто", the keypad number "01", zone "01" and "Пусто".
SensorCells DeviceCells(const DeviceRecord& device);

// What the list page places for a received frame under a filter: the row's cells, or none.
std::optional<SensorCells> SensorListRow(const Bytes& frame, int filter);

// The cells joined by tabs, as veyractl prints a row.
std::string SensorTabLine(const SensorCells& cells);

}  // namespace veyra::sensors
