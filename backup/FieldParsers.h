// One NAME=VALUE line of an area's section read into the configuration, each area by its own
// function, with the reason a value is refused: what is wrong and what is allowed.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "backup/HostConfiguration.h"

namespace veyra::backup {

struct FieldVerdict {
  enum class Kind { Taken, Refused, Unknown };
  Kind kind = Kind::Taken;
  std::string why;  // for Refused

  static FieldVerdict Taken() { return {}; }
  static FieldVerdict Refused(std::string why) { return {Kind::Refused, std::move(why)}; }
  static FieldVerdict Unknown() { return {Kind::Unknown, {}}; }
};

// The name a field counts as in its area: a setup number's short name (veyractl's "siren") is
// its file name ("siren_minutes"), so a section holds it once whichever is written.
std::string_view CanonicalFieldName(Area area, std::string_view name);

FieldVerdict ParseSetupField(std::string_view name, std::string_view value, settings::SetupRecord& setup);
FieldVerdict ParseTimerField(std::string_view name, std::string_view value, HostConfiguration& config);
FieldVerdict ParsePhoneField(std::string_view name, std::string_view value, HostConfiguration& config);
// Devices are numbered from device1 in order: each line appends the next one.
FieldVerdict ParseDeviceField(std::string_view name, std::string_view value, HostConfiguration& config);

}  // namespace veyra::backup
