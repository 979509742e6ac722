#include "features/sensors/SensorListCodec.h"

#include <cstdio>

namespace veyra::sensors {

namespace {

constexpr std::size_t kSensorDataLength = 7;  // number, four ID bytes, zone, type/mode
constexpr std::size_t kTagDataLength = 4;     // number, three ID bytes
constexpr std::size_t kKeypadDataLength = 2;  // two ID bytes

// At least two digits, as "%0.2d" and "%0.2x" give: printf ignores the 0 flag beside a precision.
std::string TwoDecimals(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2u", value);
  return text;
}

std::string TwoHex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2x", value);
  return text;
}

std::string IdText(const DeviceRecord& device) {
  std::string text;
  for (std::size_t i = 0; i < device.idLength; ++i) {
    if (i > 0) text += ':';
    text += TwoHex(device.id[i]);
  }
  return text;
}

// A remote control or a doorbell: number and three ID bytes.
DeviceRecord TagRecord(DeviceKind kind, const std::uint8_t* data) {
  DeviceRecord device;
  device.kind = kind;
  device.number = data[0];
  device.id = {data[1], data[2], data[3], 0};
  device.idLength = 3;
  return device;
}

}  // namespace

Bytes SensorListPayload() { return {0x00, kSensorListCommand}; }

std::optional<DeviceRecord> DecodeDeviceFrame(const Bytes& frame) {
  if (frame.size() <= kFrameCmdOffset) return std::nullopt;
  const std::size_t length = FrameDataLength(frame);
  const std::uint8_t* data = frame.data() + kFrameDataOffset;
  switch (frame[kFrameCmdOffset]) {
    case kSensorFrameCommand: {
      if (length < kSensorDataLength) return std::nullopt;
      DeviceRecord device;
      device.kind = DeviceKind::Sensor;
      device.number = data[0];
      device.id = {data[1], data[2], data[3], data[4]};
      device.idLength = 4;
      device.zone = data[5];
      device.typeMode = data[6];
      return device;
    }
    case kRemoteFrameCommand:
      if (length < kTagDataLength) return std::nullopt;
      return TagRecord(DeviceKind::Remote, data);
    case kDoorbellFrameCommand:
      if (length < kTagDataLength) return std::nullopt;
      return TagRecord(DeviceKind::Doorbell, data);
    case kKeypadFrameCommand: {
      if (length < kKeypadDataLength) return std::nullopt;
      DeviceRecord device;
      device.kind = DeviceKind::Keypad;
      device.id = {data[0], data[1], 0, 0};
      device.idLength = 2;
      return device;
    }
    default:
      return std::nullopt;
  }
}

bool FilterShows(int filter, const DeviceRecord& device) {
  if (filter < 0 || filter >= static_cast<int>(SensorFilterTexts.size())) return false;
  switch (device.kind) {
    case DeviceKind::Remote:
      return filter == kFilterAll || filter == kFilterRemotes;
    case DeviceKind::Doorbell:
      return filter == kFilterAll || filter == kFilterDoorbells;
    case DeviceKind::Keypad:
      return filter == kFilterAll || filter == kFilterPanicAndKeypad;
    case DeviceKind::Sensor:
      break;
  }
  if (filter == kFilterAll) return true;
  // These two entries list other kinds of device; a sensor of either type is only seen under "Все".
  if (filter == kFilterRemotes || filter == kFilterDoorbells) return false;
  const int type = device.typeMode >> 4;
  if (type == static_cast<int>(SensorType::PanicButton)) return filter == kFilterPanicAndKeypad;
  return type == filter;
}

std::uint8_t ShownSensorType(std::uint8_t typeMode) {
  const int type = typeMode >> 4;
  return static_cast<std::uint8_t>(type > kHighestSensorType ? kHighestSensorType : type);
}

std::string ZoneModeText(std::uint8_t mode) {
  mode &= 0x0F;
  if (mode < ZoneModeNames.size()) return std::string(ZoneModeNames[mode]);
  return std::to_string(mode);
}

SensorCells DeviceCells(const DeviceRecord& device) {
  const std::string number = TwoDecimals(device.number);
  switch (device.kind) {
    case DeviceKind::Sensor:
      return {std::string(SensorTypeTexts[ShownSensorType(device.typeMode)]), number, TwoHex(device.zone),
              ZoneModeText(device.typeMode), IdText(device)};
    case DeviceKind::Remote:
      return {std::string(SensorFilterTexts[kFilterRemotes]), number, "01",
              std::string(ZoneModeNames[static_cast<int>(ZoneMode::Alarm)]), IdText(device)};
    case DeviceKind::Doorbell:
      return {std::string(SensorTypeTexts[static_cast<int>(SensorType::Doorbell)]), number, "94",
              std::string(ZoneModeNames[static_cast<int>(ZoneMode::Empty)]), IdText(device)};
    case DeviceKind::Keypad:
      break;
  }
  return {std::string(SensorTypeTexts[static_cast<int>(SensorType::Keypad)]), "01", "01",
          std::string(ZoneModeNames[static_cast<int>(ZoneMode::Empty)]), IdText(device)};
}

std::optional<SensorCells> SensorListRow(const Bytes& frame, int filter) {
  const std::optional<DeviceRecord> device = DecodeDeviceFrame(frame);
  if (!device || !FilterShows(filter, *device)) return std::nullopt;
  return DeviceCells(*device);
}

std::string SensorTabLine(const SensorCells& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  return line;
}

}  // namespace veyra::sensors
