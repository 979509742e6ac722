// veyractl's smart-home and MMS commands: the buttons of the two dialogs, each argument taken
// as the dialog takes its field. A refusal is printed before the port is touched.
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliContext.h"
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

int RunSmartHomeId(Context& context, const std::vector<std::string>& args) {
  // The field takes digits only and at most six: anything else could not have been typed.
  if (args.size() != 1 || args[0].size() > static_cast<std::size_t>(kSmartHomeIdDigits) ||
      args[0].find_first_not_of("0123456789") != std::string::npos)
    return UsageError("smarthome-id ID (up to 6 digits; the host takes exactly 6)");
  const SmartHomeRequest request = SmartHomeIdPayload(args[0]);
  if (!request.payload) return Refuse(context, *request.refusal);
  return Exchange(context, *request.payload, kSmartHome, SmartHomeReplyMessage);
}

int RunTriggerSingle(Context& context, const std::vector<std::string>& args) {
  const std::optional<int> position =
      args.size() == 1 ? Position(args[0], SingleTriggerTexts.size()) : std::nullopt;
  if (!position) return UsageError("trigger-single POS (0-8: 1_CH(01) to 9_CH(09))");
  return Exchange(context, *SingleTriggerPayload(*position), kSmartHome, SmartHomeReplyMessage);
}

int RunTriggerDouble(Context& context, const std::vector<std::string>& args) {
  const std::optional<int> position =
      args.size() == 1 ? Position(args[0], DoubleTriggerTexts.size()) : std::nullopt;
  if (!position) return UsageError("trigger-double POS (0-17: 1_CH On(11), 1_CH Off(10) ... 9_CH Off(90))");
  return Exchange(context, *DoubleTriggerPayload(*position), kSmartHome, SmartHomeReplyMessage);
}

int SendMms(Context& context, const MmsRequest& request) {
  if (!request.payload) return Refuse(context, *request.refusal);
  return Exchange(context, *request.payload, kMms, MmsReplyMessage);
}

int RunMmsApn(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("mms-apn TEXT");
  return SendMms(context, MmsApnPayload(args[0]));
}

int RunMmsUser(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError("mms-user USER PASSWORD");
  return SendMms(context, MmsUserPayload(args[0], args[1]));
}

int RunMmsUrl(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("mms-url URL");
  return SendMms(context, MmsUrlPayload(args[0]));
}

int RunMmsIp(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "mms-ip IP PORT [--wap 2.0|1.2] (default 2.0)";
  WapVersion version = WapVersion::Wap20;
  if (args.size() == 4 && args[2] == "--wap" && (args[3] == "2.0" || args[3] == "1.2")) {
    version = args[3] == "1.2" ? WapVersion::Wap12 : WapVersion::Wap20;
  } else if (args.size() != 2) {
    return UsageError(kUsage);
  }
  return SendMms(context, MmsGatewayPayload(args[0], args[1], version));
}

int RunMmsTest(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("mms-test PHONE");
  return SendMms(context, MmsTestPayload(args[0]));
}

const RegisterCommand kSmartHomeId({"smarthome-id", "--port PORT smarthome-id ID", RunSmartHomeId});
const RegisterCommand kTriggerSingle({"trigger-single", "--port PORT trigger-single POS", RunTriggerSingle});
const RegisterCommand kTriggerDouble({"trigger-double", "--port PORT trigger-double POS", RunTriggerDouble});
const RegisterCommand kMmsApn({"mms-apn", "--port PORT mms-apn TEXT", RunMmsApn});
const RegisterCommand kMmsUser({"mms-user", "--port PORT mms-user USER PASSWORD", RunMmsUser});
const RegisterCommand kMmsUrl({"mms-url", "--port PORT mms-url URL", RunMmsUrl});
const RegisterCommand kMmsIp({"mms-ip", "--port PORT mms-ip IP PORT [--wap 2.0|1.2]", RunMmsIp});
const RegisterCommand kMmsTest({"mms-test", "--port PORT mms-test PHONE", RunMmsTest});

}  // namespace
}  // namespace veyra::cli
