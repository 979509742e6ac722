// The file's own words for the setup options and the timer days: what a backup writes and what
// the comparison turns back into the windows' words.
#pragma once

#include <array>
#include <string_view>

#include "features/alarm/TimedCodec.h"
#include "features/settings/SetupCodec.h"

namespace veyra::backup {

// The option bits by the names veyractl's setup-set gives them; bit 5 is the network field.
struct FlagName {
  settings::SetupFlags mask;
  std::string_view name;
};
inline constexpr std::array<FlagName, 7> kFlagNames = {
    {{settings::kIncomingCallPassword, "incoming_password"},
     {settings::kSirenSound, "siren_sound"},
     {settings::kPowerFailureAlarm, "power_alarm"},
     {settings::kArmDisarmSms, "sms_arm"},
     {settings::kRecordWhenArmed, "record_armed"},
     {settings::kMirrorImage, "mirror"},
     {settings::kRecordOnAlarm, "record_alarm"}}};

// Indexed by day code 0 to 8.
inline constexpr std::array<std::string_view, alarm::TimedDayNames.size()> kDayNames = {
    "off", "daily", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

}  // namespace veyra::backup
