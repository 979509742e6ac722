// veyractl's smart-home and MMS commands: the buttons of the two dialogs, each argument taken
// as the dialog takes its field. A refusal is printed before the port is touched.
#include <optional>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "features/sensors/MmsCodec.h"
#include "features/sensors/SmartHomeCodec.h"

namespace veyra::cli {
namespace {

using namespace sensors;

// The texts one dialog shows around every exchange.
struct DialogTexts {
  std::string_view hostNotFound, noReply;
};
constexpr DialogTexts kSmartHome{kSmartHomeHostNotFoundText, kSmartHomeNoReplyText};
constexpr DialogTexts kMms{kMmsHostNotFoundText, kMmsNoReplyText};

using ReplyJudge = std::optional<Message> (*)(const Bytes& sent, const Bytes& received);

// Connects, sends and prints what the dialog would show. Exit 0 when the host answered and the
// answer earned the success text, or earns no text at all (the test MMS, whose result the dialog
// does not show); 1 when the host is missing or silent.
int Exchange(Context& context, const Bytes& payload, const DialogTexts& texts, ReplyJudge judge) {
  if (const int status = context.ConnectToHost(texts.hostNotFound)) return status;
  const std::optional<Bytes> reply = context.Exchange(payload, texts.noReply);
  if (!reply) return 1;
  if (const std::optional<Message> message = judge(context.Link().SentFrame(), *reply))
    context.Out().Show(*message);
  return 0;
}

int Refuse(Context& context, const Message& refusal) {
  context.Out().Show(refusal);
  return 1;
}

// A list position as the dialog's list holds it: 0 to count - 1.
std::optional<int> Position(const std::string& arg, std::size_t count) {
  if (arg.empty() || arg.size() > 2 || arg.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int position = std::stoi(arg);
  if (position >= static_cast<int>(count)) return std::nullopt;
  return position;
}

int RunSmartHomeId(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  // The field takes digits only and at most six: anything else could not have been typed.
  if (args.size() != 1 || args[0].size() > static_cast<std::size_t>(kSmartHomeIdDigits) ||
      args[0].find_first_not_of("0123456789") != std::string::npos)
    return UsageError("smarthome-id ID (up to 6 digits; the host takes exactly 6)");
  const SmartHomeRequest request = SmartHomeIdPayload(args[0]);
  if (!request.payload) return Refuse(context, *request.refusal);
  return Exchange(context, *request.payload, kSmartHome, SmartHomeReplyMessage);
}

int RunTriggerSingle(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  const std::optional<int> position =
      args.size() == 1 ? Position(args[0], SingleTriggerTexts.size()) : std::nullopt;
  if (!position) return UsageError("trigger-single POS (0-8: 1_CH(01) to 9_CH(09))");
  return Exchange(context, *SingleTriggerPayload(*position), kSmartHome, SmartHomeReplyMessage);
}

int RunTriggerDouble(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  const std::optional<int> position =
      args.size() == 1 ? Position(args[0], DoubleTriggerTexts.size()) : std::nullopt;
  if (!position) return UsageError("trigger-double POS (0-17: 1_CH On(11), 1_CH Off(10) ... 9_CH Off(90))");
  return Exchange(context, *DoubleTriggerPayload(*position), kSmartHome, SmartHomeReplyMessage);
}

int SendMms(Context& context, const MmsRequest& request) {
  if (!request.payload) return Refuse(context, *request.refusal);
  return Exchange(context, *request.payload, kMms, MmsReplyMessage);
}

int RunMmsApn(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  if (args.size() != 1) return UsageError("mms-apn TEXT");
  return SendMms(context, MmsApnPayload(args[0]));
}

int RunMmsUser(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  if (args.size() != 2) return UsageError("mms-user USER PASSWORD");
  return SendMms(context, MmsUserPayload(args[0], args[1]));
}

int RunMmsUrl(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  if (args.size() != 1) return UsageError("mms-url URL");
  return SendMms(context, MmsUrlPayload(args[0]));
}

int RunMmsIp(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  constexpr const char* kUsage = "mms-ip IP PORT [--wap 2.0|1.2] (default 2.0)";
  const std::string wap = all.Value("--wap").value_or("2.0");
  if (args.size() != 2 || (wap != "2.0" && wap != "1.2")) return UsageError(kUsage);
  const WapVersion version = wap == "1.2" ? WapVersion::Wap12 : WapVersion::Wap20;
  return SendMms(context, MmsGatewayPayload(args[0], args[1], version));
}

int RunMmsTest(Context& context, const Args& all) {
  const std::vector<std::string>& args = all.words;
  if (args.size() != 1) return UsageError("mms-test PHONE");
  return SendMms(context, MmsTestPayload(args[0]));
}

// "  0   1_CH(01)" for each code of one trigger list.
template <std::size_t N>
std::string Codes(const std::array<std::string_view, N>& texts) {
  std::string text = "POS     the list's position:\n";
  for (std::size_t i = 0; i < N; ++i)
    text += "  " + std::to_string(i) + (i < 10 ? "   " : "  ") + std::string(texts[i]) + "\n";
  return text;
}

const RegisterCommand kSmartHomeId({.name = "smarthome-id",
                                    .usage = "--port PORT smarthome-id ID",
                                    .summary = "set the smart-home ID",
                                    .details = "ID      6 digits\n",
                                    .run = RunSmartHomeId});
const RegisterCommand kTriggerSingle({.name = "trigger-single",
                                      .usage = "--port PORT trigger-single POS",
                                      .summary = "send a single trigger code",
                                      .details = Codes(SingleTriggerTexts),
                                      .run = RunTriggerSingle});
const RegisterCommand kTriggerDouble({.name = "trigger-double",
                                      .usage = "--port PORT trigger-double POS",
                                      .summary = "send a double (on/off) trigger code",
                                      .details = Codes(DoubleTriggerTexts),
                                      .run = RunTriggerDouble});
const RegisterCommand kMmsApn({.name = "mms-apn",
                               .usage = "--port PORT mms-apn TEXT",
                               .summary = "set the MMS access point name",
                               .run = RunMmsApn});
const RegisterCommand kMmsUser({.name = "mms-user",
                                .usage = "--port PORT mms-user USER PASSWORD",
                                .summary = "set the MMS user and password",
                                .run = RunMmsUser});
const RegisterCommand kMmsUrl({.name = "mms-url",
                               .usage = "--port PORT mms-url URL",
                               .summary = "set the MMS centre's URL",
                               .run = RunMmsUrl});
const RegisterCommand kMmsIp({.name = "mms-ip",
                              .usage = "--port PORT mms-ip IP PORT [--wap 2.0|1.2]",
                              .summary = "set the MMS gateway's address and port",
                              .details = "IP      the gateway's IPv4 address\nPORT    its port number\n",
                              .options = {{"--wap", "2.0|1.2", "the WAP version (default 2.0)"}},
                              .run = RunMmsIp});
const RegisterCommand kMmsTest({.name = "mms-test",
                                .usage = "--port PORT mms-test PHONE",
                                .summary = "make the host send a test MMS to a phone number",
                                .run = RunMmsTest});

}  // namespace
}  // namespace veyra::cli
