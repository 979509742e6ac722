// The backup file's own words for the values it writes: the timer days, the device kinds, sensor
// types and zone modes, and the marker of a value a restore cannot send. The setup options keep
// their names in the settings codec, which veyractl shares.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "features/alarm/TimedCodec.h"
#include "features/sensors/SensorListCodec.h"

namespace veyra::backup {

// Indexed by day code 0 to 8.
inline constexpr std::array<std::string_view, alarm::TimedDayNames.size()> kDayNames = {
    "off", "daily", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

// Indexed by sensor type 0 to 10 and zone mode 0 to 6; higher codes are written as numbers.
inline constexpr std::array<std::string_view, sensors::kHighestSensorType + 1> kTypeNames = {
    "none", "panic", "pir", "door", "infrared", "gas", "smoke", "water", "heat", "doorbell", "keypad"};
inline constexpr std::array<std::string_view, 7> kModeNames = {
    "empty", "arm", "partial", "disarm", "alarm", "delayed_arm", "delayed_partial"};

// Indexed by DeviceKind.
inline constexpr std::array<std::string_view, 4> kKindNames = {"sensor", "remote", "doorbell", "keypad"};
inline constexpr std::array<std::size_t, 4> kIdLengths = {4, 3, 3, 2};

// What the file trims around a line, a name or a value: a blank, a tab, the CR of a CR LF end.
inline constexpr std::string_view kLineBlanks = " \t\r";

// After a value a restore cannot send: it is the host's own, kept for the record and for a diff,
// and a restore skips its item. Without it such a value is refused as a slip of the pen.
inline constexpr std::string_view kNotRestorableMarker = "(not restorable)";

}  // namespace veyra::backup
