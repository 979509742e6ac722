// veyractl's settings commands: the setup record (read, change), reset, format, password change
// and clock synchronisation, each printing what the settings pages would show.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
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

// The options in the order of their names, as the JSON document lists them.
std::vector<const SetupOption*> OptionsByName() {
  std::vector<const SetupOption*> options;
  for (const SetupOption& option : SetupOptions) options.push_back(&option);
  std::sort(options.begin(), options.end(),
            [](const SetupOption* a, const SetupOption* b) { return a->name < b->name; });
  return options;
}

std::string_view NetworkName(NetworkMode mode) { return NetworkModeNames[static_cast<int>(mode)]; }

int RunSetup(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("setup takes no arguments");
  context.Doc()["setup"] = nullptr;  // null until a record has been read
  int status = 0;
  const std::optional<SetupReply> reply = ReadSetup(context, status);
  if (!reply) return status;
  const SetupControls shown = SetupControlsFromRecord(reply->record);
  if (args.json) {
    // The names setup-set takes, with the record's numbers; the texts the page shows beside them.
    const SetupRecord& record = reply->record;
    Json setup = {{"flags", record.flags}};
    for (const SetupNumberField& field : SetupNumberFields) setup[field.shortName] = record.*field.byte;
    setup[kMmsSizeFieldName] = record.mmsSize;
    setup["mms_size_text"] = MmsSizeText(record.mmsSize);
    setup[kNetworkFieldName] = NetworkName(*shown.network);
    setup["network_text"] = NetworkModeTexts[static_cast<int>(*shown.network)];
    setup["signal"] = reply->signal;
    setup["signal_text"] = SignalText(reply->signal);
    for (const SetupOption* option : OptionsByName())
      setup[option->name] = (record.flags & option->mask) != 0;
    context.Doc()["setup"] = setup;
    return 0;
  }
  std::printf("flags\t%02X\n", reply->record.flags);
  for (const SetupNumberField& field : SetupNumberFields)
    std::printf("%s\t%s\n", std::string(field.shortName).c_str(), (shown.*field.edit).c_str());
  std::printf("mms_size\t%s\n", std::string(MmsSizeText(reply->record.mmsSize)).c_str());
  std::printf("network\t%s\n", NetworkModeTexts[static_cast<int>(*shown.network)].data());
  std::printf("signal\t%s\n", SignalText(reply->signal).c_str());
  return 0;
}

constexpr const char* kSetupSetUsage =
    "setup-set NAME=VALUE ... (siren, arm_delay, alarm_delay: 1 or 2 digits; redial: digits; "
    "mms_size: 0-2; network: auto or 3g; incoming_password, siren_sound, power_alarm, sms_arm, "
    "record_armed, mirror, record_alarm: 0 or 1; each name at most once)";

// Applies one NAME=VALUE to the controls, as typing into the page would; false when the name is
// unknown or the value is one the page's control could not hold.
bool ApplySetting(const std::string& name, const std::string& value, SetupControls& controls) {
  for (const SetupNumberField& field : SetupNumberFields) {
    if (name != field.shortName) continue;
    // An empty field is written as 0: on a command line that is an unset variable, not a choice.
    // The redial count's edit takes any text, the others at most two digits; a command line is
    // better off refusing what is no number.
    const bool twoDigits = field.edit != &SetupControls::redial;
    if (value.empty() || !AllDigits(value) ||
        (twoDigits && value.size() > static_cast<std::size_t>(kDelayFieldMaxDigits)))
      return false;
    controls.*field.edit = value;
    return true;
  }
  if (name == kMmsSizeFieldName) {
    if (value.size() != 1 || value[0] < '0' || value[0] >= static_cast<char>('0' + MmsSizeTexts.size()))
      return false;
    controls.mmsSize = value[0] - '0';
    return true;
  }
  if (name == kNetworkFieldName) {
    for (const NetworkMode mode : {NetworkMode::Automatic, NetworkMode::Only3G}) {
      if (value != NetworkName(mode)) continue;
      controls.network = mode;
      return true;
    }
    return false;
  }
  const SetupOption* option = FindSetupOption(name);
  if (!option || (value != "0" && value != "1")) return false;
  if (value == "1")
    controls.checked |= option->mask;
  else
    controls.checked &= static_cast<std::uint8_t>(~option->mask);
  return true;
}

int RunSetupSet(Context& context, const Args& args) {
  if (args.words.empty()) return UsageError(kSetupSetUsage);
  std::map<std::string, std::string> changes;
  for (const std::string& arg : args.words) {
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

  FrameQueue& link = context.Link();
  const std::optional<Bytes> frame =
      context.Exchange(SetupWritePayload(SetupRecordFromControls(controls)), kSetupWriteNoReplyText);
  if (!frame) return 1;
  const std::optional<ReplyOutcome> outcome = SetupReplyOutcome(link.SentFrame(), *frame, link.Acks());
  if (!outcome) return 1;
  Messages().Show(outcome->message);
  return outcome->acknowledged ? 0 : 1;
}

// Reset and format, which the page sends only after a Yes.
int RunMaintenance(Context& context, const Args& args, const char* name, const Bytes& payload,
                   std::string_view noReplyText) {
  if (!args.words.empty()) {
    std::fprintf(stderr, "veyractl: %s takes --yes and nothing else\n", name);
    return 2;
  }
  if (const int status = NeedsYes(args, name, "the settings page asks first")) return status;
  if (const int status = context.ConnectToHost(kSettingsHostNotFoundText)) return status;
  FrameQueue& link = context.Link();
  const std::optional<Bytes> frame = context.Exchange(payload, noReplyText);
  if (!frame) return 1;
  const std::optional<ReplyOutcome> outcome = SetupReplyOutcome(link.SentFrame(), *frame, link.Acks());
  if (!outcome) return 1;
  Messages().Show(outcome->message);
  return outcome->acknowledged ? 0 : 1;
}

int RunReset(Context& context, const Args& args) {
  return RunMaintenance(context, args, "reset", ResetPayload(), kResetNoReplyText);
}

int RunFormat(Context& context, const Args& args) {
  return RunMaintenance(context, args, "format", FormatPayload(), kFormatNoReplyText);
}

int RunPasswordChange(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
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

int RunClockSync(Context& context, const Args& args) {
  constexpr const char* kUsage = "clock-sync [--at \"YYYY-MM-DD HH:MM:SS\"] (a local time that exists)";
  std::optional<LocalTime> at;
  if (!args.words.empty()) return UsageError(kUsage);
  if (const std::optional<std::string> text = args.Value("--at")) {
    if (!(at = ParseLocalTime(*text))) return UsageError(kUsage);
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
  if (context.JsonOutput()) {
    context.Doc()["time"] = ClockText(time);
  } else {
    std::printf("%s\n", ClockText(time).c_str());
    std::fflush(stdout);
  }
  FrameQueue& link = context.Link();
  const std::optional<Bytes> frame = context.Exchange(ClockPayload(time), kClockFailureText);
  if (!frame) return 1;
  const Message message = ClockReplyMessage(link.SentFrame(), *frame, link.Acks());
  Messages().Show(message);
  return message.text == kClockSuccessText ? 0 : 1;
}

// The setting names, what each holds and in which unit.
std::string SettingHelp() {
  std::string text =
      "siren        how long the siren sounds, in minutes (1 or 2 digits)\n"
      "redial       how many times a number is called again (digits)\n"
      "arm_delay    seconds from arming until the host is armed (1 or 2 digits)\n"
      "alarm_delay  seconds from a trigger until the alarm (1 or 2 digits)\n"
      "mms_size     the picture size of an MMS:";
  for (std::size_t i = 0; i < MmsSizeTexts.size(); ++i)
    text += " " + std::to_string(i) + " " + std::string(MmsSizeTexts[i]) +
            (i + 1 < MmsSizeTexts.size() ? "," : "\n");
  text += "network      auto (" + std::string(NetworkModeTexts[0]) + ") or 3g (" +
          std::string(NetworkModeTexts[1]) + ")\n";
  for (const SetupOption& option : SetupOptions) {
    const std::string name(option.name);
    text += name + std::string(name.size() < 13 ? 13 - name.size() : 1, ' ') +
            "0 or 1: " + std::string(option.label) + "\n";
  }
  return text;
}

const RegisterCommand kSetup({.name = "setup",
                              .usage = "--port PORT setup [--json]",
                              .summary = "print the system setup record, one NAME<TAB>VALUE a line",
                              .details = SettingHelp(),
                              .options = {kJsonOption},
                              .run = RunSetup});
const RegisterCommand kSetupSet(
    {.name = "setup-set",
     .usage = "--port PORT setup-set NAME=VALUE ...",
     .summary = "read the setup record, change the settings named and write it back",
     .details = SettingHelp() + "each NAME at most once\n",
     .run = RunSetupSet});
const RegisterCommand kReset({.name = "reset",
                              .usage = "--port PORT reset --yes",
                              .summary = "reset the host",
                              .options = {YesOption("answers the settings page's question \"" +
                                                    std::string(kResetConfirmText) + "\"")},
                              .run = RunReset});
const RegisterCommand kFormat({.name = "format",
                               .usage = "--port PORT format --yes",
                               .summary = "format the host's microSD card",
                               .options = {YesOption("answers the settings page's question \"" +
                                                     std::string(kFormatConfirmText) + "\"")},
                               .run = RunFormat});
const RegisterCommand kPasswordChange(
    {.name = "password-change",
     .usage = "--port PORT password-change CURRENT NEW [CONFIRM]",
     .summary = "change the host's password",
     .details = "CURRENT, NEW, CONFIRM  four digits each; CONFIRM defaults to NEW\n",
     .run = RunPasswordChange});
const RegisterCommand kClockSync(
    {.name = "clock-sync",
     .usage = "--port PORT clock-sync [--at \"YYYY-MM-DD HH:MM:SS\"]",
     .summary = "set the host's clock to this computer's local time, printing it",
     .options = {{"--at", "\"YYYY-MM-DD HH:MM:SS\"", "that local time instead of now"}},
     .run = RunClockSync});

}  // namespace
}  // namespace veyra::cli
