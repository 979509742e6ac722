// veyractl's settings commands: the setup record (read, change), reset, format, password change
// and clock synchronisation, each printing what the settings pages would show.
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliContext.h"
#include "features/settings/ClockCodec.h"
#include "features/settings/PasswordCodec.h"
#include "features/settings/SetupCodec.h"

namespace veyra::cli {
namespace {

using namespace settings;

bool AllDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Connects and reads the record, as "Получить" does. A reply too short to hold a record is
// reported as a failed read: nothing would be left to show or to write back.
std::optional<SetupReply> ReadSetup(Context& context, int& status) {
  if ((status = context.ConnectToHost(kSettingsHostNotFoundText))) return std::nullopt;
  status = 1;
  const std::optional<Bytes> frame = context.Exchange(SetupReadPayload(), kSetupReadNoReplyText);
  if (!frame) return std::nullopt;
  const std::optional<SetupReply> reply = SetupReadReply(context.Link().SentFrame(), *frame);
  if (!reply) ShowOwned(kSetupReadNoReplyText);
  return reply;
}

int RunSetup(Context& context, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError("setup takes no arguments");
  int status = 0;
  const std::optional<SetupReply> reply = ReadSetup(context, status);
  if (!reply) return status;
  const SetupControls shown = SetupControlsFromRecord(reply->record);
  std::printf("flags\t%02X\n", reply->record.flags);
  std::printf("siren\t%s\n", shown.siren.c_str());
  std::printf("redial\t%s\n", shown.redial.c_str());
  std::printf("arm_delay\t%s\n", shown.armDelay.c_str());
  std::printf("alarm_delay\t%s\n", shown.alarmDelay.c_str());
  std::printf("mms_size\t%s\n", std::string(MmsSizeText(reply->record.mmsSize)).c_str());
  std::printf("network\t%s\n", NetworkModeTexts[static_cast<int>(*shown.network)].data());
  std::printf("signal\t%s\n", SignalText(reply->signal).c_str());
  return 0;
}

constexpr const char* kSetupSetUsage =
    "setup-set NAME=VALUE ... (siren, arm_delay, alarm_delay: 1 or 2 digits; redial: digits; "
    "mms_size: 0-2; network: auto or 3g; incoming_password, siren_sound, power_alarm, sms_arm, "
    "record_armed, mirror, record_alarm: 0 or 1; each name at most once)";

const std::map<std::string, SetupFlags, std::less<>> kOptionNames = {
    {"incoming_password", kIncomingCallPassword},
    {"siren_sound", kSirenSound},
    {"power_alarm", kPowerFailureAlarm},
    {"sms_arm", kArmDisarmSms},
    {"record_armed", kRecordWhenArmed},
    {"mirror", kMirrorImage},
    {"record_alarm", kRecordOnAlarm}};

// Applies one NAME=VALUE to the controls, as typing into the page would; false when the name is
// unknown or the value is one the page's control could not hold.
bool ApplySetting(const std::string& name, const std::string& value, SetupControls& controls) {
  if (name == "siren" || name == "arm_delay" || name == "alarm_delay") {
    // An empty field is written as 0: on a command line that is an unset variable, not a choice.
    if (value.empty() || !AllDigits(value) || value.size() > static_cast<std::size_t>(kDelayFieldMaxDigits))
      return false;
    (name == "siren"       ? controls.siren
     : name == "arm_delay" ? controls.armDelay
                           : controls.alarmDelay) = value;
    return true;
  }
  if (name == "redial") {
    // The page's edit takes any text; a command line is better off refusing what is no number.
    if (value.empty() || !AllDigits(value)) return false;
    controls.redial = value;
    return true;
  }
  if (name == "mms_size") {
    if (value.size() != 1 || value[0] < '0' || value[0] >= static_cast<char>('0' + MmsSizeTexts.size()))
      return false;
    controls.mmsSize = value[0] - '0';
    return true;
  }
  if (name == "network") {
    if (value != "auto" && value != "3g") return false;
    controls.network = value == "auto" ? NetworkMode::Automatic : NetworkMode::Only3G;
    return true;
  }
  const auto option = kOptionNames.find(name);
  if (option == kOptionNames.end() || (value != "0" && value != "1")) return false;
  if (value == "1")
    controls.checked |= option->second;
  else
    controls.checked &= static_cast<std::uint8_t>(~option->second);
  return true;
}

int RunSetupSet(Context& context, const std::vector<std::string>& args) {
  if (args.empty()) return UsageError(kSetupSetUsage);
  std::map<std::string, std::string> changes;
  for (const std::string& arg : args) {
    const std::size_t equals = arg.find('=');
    SetupControls probe;
    if (equals == std::string::npos || !ApplySetting(arg.substr(0, equals), arg.substr(equals + 1), probe) ||
        !changes.emplace(arg.substr(0, equals), arg.substr(equals + 1)).second)
      return UsageError(("not taken: '" + arg + "'; " + kSetupSetUsage).c_str());
  }

  // The page writes only what it has read: the fields not named keep the host's values.
  int status = 0;
  const std::optional<SetupReply> reply = ReadSetup(context, status);
  if (!reply) return status;
  SetupControls controls = SetupControlsFromRecord(reply->record);
  for (const auto& [name, value] : changes) ApplySetting(name, value, controls);

  QueueLink& link = context.Link();
  const std::optional<Bytes> frame =
      context.Exchange(SetupWritePayload(SetupRecordFromControls(controls)), kSetupWriteNoReplyText);
  if (!frame) return 1;
  const std::optional<Message> message = SetupReplyMessage(link.SentFrame(), *frame, link.Acks());
  if (!message) return 1;
  Messages().Show(*message);
  return message->text == kSetupWriteAcceptedText ? 0 : 1;
}

// Reset and format, which the page sends only after a Yes.
int RunMaintenance(Context& context, const std::vector<std::string>& args, const char* name,
                   const Bytes& payload, std::string_view noReplyText, std::string_view doneText) {
  if (args.empty()) {
    std::fprintf(stderr, "veyractl: %s sends nothing without --yes (the settings page asks first)\n", name);
    return 2;
  }
  if (args.size() != 1 || args[0] != "--yes") {
    std::fprintf(stderr, "veyractl: %s takes --yes and nothing else\n", name);
    return 2;
  }
  if (const int status = context.ConnectToHost(kSettingsHostNotFoundText)) return status;
  QueueLink& link = context.Link();
  const std::optional<Bytes> frame = context.Exchange(payload, noReplyText);
  if (!frame) return 1;
  const std::optional<Message> message = SetupReplyMessage(link.SentFrame(), *frame, link.Acks());
  if (!message) return 1;
  Messages().Show(*message);
  return message->text == doneText ? 0 : 1;
}

int RunReset(Context& context, const std::vector<std::string>& args) {
  return RunMaintenance(context, args, "reset", ResetPayload(), kResetNoReplyText, kResetDoneText);
}

int RunFormat(Context& context, const std::vector<std::string>& args) {
  return RunMaintenance(context, args, "format", FormatPayload(), kFormatNoReplyText, kFormatDoneText);
}

int RunPasswordChange(Context& context, const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 3)
    return UsageError("password-change CURRENT NEW [CONFIRM] (digits; CONFIRM defaults to NEW)");
  const std::string& confirmation = args.size() == 3 ? args[2] : args[1];
  // The page's fields take digits only; their length is the page's own check, below.
  for (const std::string& arg : args)
    if (!AllDigits(arg)) return UsageError("passwords are digits");
  const PasswordRequest request = PasswordChangePayload(args[0], args[1], confirmation);
  if (!request.payload) {
    Messages().Show(*request.refusal);
    return 1;
  }
  if (const int status = context.ConnectToHost(kPasswordHostNotFoundText)) return status;
  const std::optional<Bytes> frame = context.Exchange(*request.payload, kPasswordNoReplyText);
  if (!frame) return 1;
  const Message message = PasswordReplyMessage(*frame);
  Messages().Show(message);
  return message.text == kPasswordChangedText ? 0 : 1;
}

int RunClockSync(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "clock-sync [--at \"YYYY-MM-DD HH:MM:SS\"] (a local time that exists)";
  std::optional<LocalTime> at;
  if (args.size() == 2 && args[0] == "--at") {
    if (!(at = ParseLocalTime(args[1]))) return UsageError(kUsage);
  } else if (!args.empty()) {
    return UsageError(kUsage);
  }
  if (const int status = context.ConnectToHost(kClockHostNotFoundText)) return status;
  // The time at the press, after the login, as the page reads it.
  LocalTime time;
  if (at) {
    time = *at;
  } else {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    time = LocalTimeFromTm(local);
  }
  std::printf("%s\n", ClockText(time).c_str());
  std::fflush(stdout);
  QueueLink& link = context.Link();
  const std::optional<Bytes> frame = context.Exchange(ClockPayload(time), kClockFailureText);
  if (!frame) return 1;
  const Message message = ClockReplyMessage(link.SentFrame(), *frame, link.Acks());
  Messages().Show(message);
  return message.text == kClockSuccessText ? 0 : 1;
}

const RegisterCommand kSetup({"setup", "--port PORT setup", RunSetup});
const RegisterCommand kSetupSet({"setup-set", "--port PORT setup-set NAME=VALUE ...", RunSetupSet});
const RegisterCommand kReset({"reset", "--port PORT reset --yes", RunReset});
const RegisterCommand kFormat({"format", "--port PORT format --yes", RunFormat});
const RegisterCommand kPasswordChange({"password-change", "--port PORT password-change CURRENT NEW [CONFIRM]",
                                       RunPasswordChange});
const RegisterCommand kClockSync({"clock-sync", "--port PORT clock-sync [--at \"YYYY-MM-DD HH:MM:SS\"]",
                                  RunClockSync});

}  // namespace
}  // namespace veyra::cli
