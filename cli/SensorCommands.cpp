// veyractl sensors, learn, delete, delete-all, siren-id: the sensors dialog's list and edit pages.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliContext.h"
#include "features/sensors/SensorEditCodec.h"
#include "features/sensors/SensorListCodec.h"

namespace veyra::cli {
namespace {

using namespace sensors;

bool AllDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A list position as a command line gives it: digits only, below count.
std::optional<int> Position(const std::string& text, std::size_t count) {
  if (text.empty() || text.size() > 2 || !AllDigits(text)) return std::nullopt;
  const int position = std::stoi(text);
  if (position >= static_cast<int>(count)) return std::nullopt;
  return position;
}

// What the page's digit field could hold: at most maxDigits digits, empty included.
bool FitsDigitField(const std::string& text, int maxDigits) {
  return AllDigits(text) && text.size() <= static_cast<std::size_t>(maxDigits);
}

// An edit-page command: sends the payload; 0 when the host acknowledged it. The page shows
// nothing for a reply but the learn command's trigger request, so neither does this; a reply that
// is not the acknowledgement is told on standard error.
int SendEdit(Context& context, const Bytes& payload) {
  if (const int status = context.ConnectToHost(kEditHostNotFoundText)) return status;
  const std::optional<Bytes> reply = context.Exchange(payload, EditNoReplyText(payload));
  if (!reply) return 1;
  QueueLink& link = context.Link();
  const AckCheck acks = link.Acks();
  if (const std::optional<Message> message = EditReplyMessage(link.SentFrame(), *reply, acks)) {
    Messages().Show(*message);
    return 0;
  }
  if (acks(CommandKey(payload[1]), *reply) == 1) return 0;
  std::fprintf(stderr, "veyractl: the host answered %s, not the acknowledgement\n",
               FormatHex(*reply).c_str());
  return 1;
}

// Sends a request built from the arguments, or shows why it cannot be sent, as the page would.
int SendRequest(Context& context, const SensorRequest& request) {
  if (!request.payload) {
    Messages().Show(*request.refusal);
    return 1;
  }
  return SendEdit(context, *request.payload);
}

// One line per device the filter shows, the row's five cells separated by tabs, in the order the
// host sends them, until the line has been quiet for a reply window or a bound is reached. 0 when
// any device came.
int RunSensors(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "sensors [--filter POS] (POS 0-10, a position of the filter list)";
  int filter = kFilterAll;
  if (args.size() == 2 && args[0] == "--filter") {
    const std::optional<int> position = Position(args[1], SensorFilterTexts.size());
    if (!position) return UsageError(kUsage);
    filter = *position;
  } else if (!args.empty()) {
    return UsageError(kUsage);
  }
  if (const int status = context.ConnectToHost(kSensorsHostNotFoundText)) return status;
  // No reply within the attempts still leaves late devices worth printing.
  context.SendCommand(SensorListPayload());
  int devices = 0;
  const ListEnd end = context.ReadAnswer("sensors", kLongListBounds, [&](const Bytes& frame) {
    if (!DecodeDeviceFrame(frame)) return;
    ++devices;
    if (const std::optional<SensorCells> cells = SensorListRow(frame, filter)) {
      std::printf("%s\n", SensorTabLine(*cells).c_str());
      std::fflush(stdout);
    }
  });
  if (end != ListEnd::Quiet) return 1;
  if (devices == 0) {
    ShowOwned(kSensorListNoReplyText);
    return 1;
  }
  return 0;
}

int RunLearn(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage =
      "learn TYPE_POS MODE_POS ZONE (TYPE_POS 0-9, MODE_POS 0-5, ZONE up to 2 digits)";
  if (args.size() != 3) return UsageError(kUsage);
  const std::optional<int> type = Position(args[0], LearnTypeTexts.size());
  const std::optional<int> mode = Position(args[1], LearnModeTexts.size());
  if (!type || !mode || !FitsDigitField(args[2], kZoneFieldMaxDigits)) return UsageError(kUsage);
  return SendRequest(context, LearnRequest(*type, *mode, args[2]));
}

int RunDelete(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage =
      "delete KIND_POS NUMBER (KIND_POS 0 remote control, 1 sensor; NUMBER up to 2 digits)";
  if (args.size() != 2) return UsageError(kUsage);
  const std::optional<int> kind = Position(args[0], DeleteKindTexts.size());
  if (!kind || !FitsDigitField(args[1], kNumberFieldMaxDigits)) return UsageError(kUsage);
  return SendRequest(context, DeleteOneRequest(*kind, args[1]));
}

int RunDeleteAll(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "delete-all sensors|remotes|doorbells --yes";
  if (args.empty() || args.size() > 2) return UsageError(kUsage);
  DeleteAllKind kind;
  if (args[0] == "sensors")
    kind = DeleteAllKind::Sensors;
  else if (args[0] == "remotes")
    kind = DeleteAllKind::Remotes;
  else if (args[0] == "doorbells")
    kind = DeleteAllKind::Doorbells;
  else
    return UsageError(kUsage);
  if (args.size() != 2 || args[1] != "--yes") {
    std::fprintf(stderr, "veyractl: delete-all sends nothing without --yes (the sensors page asks first)\n");
    return 2;
  }
  return SendEdit(context, DeleteAllPayload(kind));
}

int RunSirenId(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "siren-id ID (8 digits, each 0, 1 or 2)";
  if (args.size() != 1 || !FitsDigitField(args[0], kSirenIdDigits)) return UsageError(kUsage);
  return SendRequest(context, SirenIdRequest(args[0]));
}

const RegisterCommand kSensors({"sensors", "--port PORT sensors [--filter POS]", RunSensors});
const RegisterCommand kLearn({"learn", "--port PORT learn TYPE_POS MODE_POS ZONE", RunLearn});
const RegisterCommand kDelete({"delete", "--port PORT delete KIND_POS NUMBER", RunDelete});
const RegisterCommand kDeleteAll({"delete-all", "--port PORT delete-all sensors|remotes|doorbells --yes",
                                  RunDeleteAll});
const RegisterCommand kSirenId({"siren-id", "--port PORT siren-id ID", RunSirenId});

}  // namespace
}  // namespace veyra::cli
