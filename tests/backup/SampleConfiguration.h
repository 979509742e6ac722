// A configuration with something in every area: options on and off, timers of working days and
// off, numbers in some slots, one device of each kind. Nothing in it is unrestorable, so its
// file has no notes and its lines stay where the tests count them.
#pragma once

#include "backup/HostConfiguration.h"

namespace veyra::backup::test {

inline HostConfiguration Sample() {
  HostConfiguration config;
  config.setup = settings::SetupRecord{0x26, 3, 5, 30, 15, 1};
  config.timers = {alarm::TimedSchedule{1, {1, 8, 30}, {1, 18, 0}},
                   alarm::TimedSchedule{2, {7, 22, 0}, {8, 9, 15}},
                   alarm::TimedSchedule{3, {0, 0, 0}, {0, 0, 0}}};
  config.phones = {
      "13800138000", "3G8613912345678", "*2101", "", "", "112", "13912345678", "", "", "13800001111", "", ""};
  config.devices = {
      sensors::DeviceRecord{sensors::DeviceKind::Sensor, 1, {0x12, 0x34, 0x56, 0x78}, 4, 0x05, 0x21},
      sensors::DeviceRecord{sensors::DeviceKind::Remote, 2, {0xa1, 0xb2, 0xc3, 0}, 3, 0, 0},
      sensors::DeviceRecord{sensors::DeviceKind::Doorbell, 1, {0x01, 0x02, 0x03, 0}, 3, 0, 0},
      sensors::DeviceRecord{sensors::DeviceKind::Keypad, 0, {0xbe, 0xef, 0, 0}, 2, 0, 0}};
  return config;
}

}  // namespace veyra::backup::test
