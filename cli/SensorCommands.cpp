// veyractl sensors, learn, delete, delete-all, siren-id: the sensors dialog's list and edit pages.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
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
  FrameQueue& link = context.Link();
  const AckCheck acks = link.Acks();
  if (const std::optional<Message> message = EditReplyMessage(link.SentFrame(), *reply, acks)) {
    Messages().Show(*message);
    return 0;
  }
  if (acks(CommandKey(payload[1]), *reply) == 1) return 0;
  context.Problem("veyractl: the host answered " + FormatHex(*reply) + ", not the acknowledgement");
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
int RunSensors(Context& context, const Args& args) {
  constexpr const char* kUsage = "sensors [--filter POS] (POS 0-10, a position of the filter list)";
  int filter = kFilterAll;
  if (!args.words.empty()) return UsageError(kUsage);
  if (const std::optional<std::string> text = args.Value("--filter")) {
    const std::optional<int> position = Position(*text, SensorFilterTexts.size());
    if (!position) return UsageError(kUsage);
    filter = *position;
  }
  Json& list = context.Doc()["sensors"] = Json::array();
  if (const int status = context.ConnectToHost(kSensorsHostNotFoundText)) return status;
  // No reply within the attempts still leaves late devices worth printing.
  context.SendCommand(SensorListPayload());
  int devices = 0;
  const ListEnd end = context.ReadAnswer("sensors", kLongListBounds, [&](const Bytes& frame) {
    if (!DecodeDeviceFrame(frame)) return false;
    ++devices;
    const std::optional<SensorCells> cells = SensorListRow(frame, filter);
    if (!cells) return false;
    if (args.json) {
      const SensorCells& c = *cells;
      list.push_back({{"type", c[0]}, {"number", c[1]}, {"zone", c[2]}, {"mode", c[3]}, {"id", c[4]}});
      return false;
    }
    std::printf("%s\n", SensorTabLine(*cells).c_str());
    std::fflush(stdout);
    return false;
  });
  if (end != ListEnd::Quiet) return 1;
  if (devices == 0) {
    ShowOwned(kSensorListNoReplyText);
    return 1;
  }
  return 0;
}

int RunLearn(Context& context, const Args& all) {
  constexpr const char* kUsage =
      "learn TYPE_POS MODE_POS ZONE (TYPE_POS 0-9, MODE_POS 0-5, ZONE up to 2 digits)";
  const std::vector<std::string>& args = all.words;
  if (args.size() != 3) return UsageError(kUsage);
  const std::optional<int> type = Position(args[0], LearnTypeTexts.size());
  const std::optional<int> mode = Position(args[1], LearnModeTexts.size());
  if (!type || !mode || !FitsDigitField(args[2], kZoneFieldMaxDigits)) return UsageError(kUsage);
  return SendRequest(context, LearnRequest(*type, *mode, args[2]));
}

int RunDelete(Context& context, const Args& all) {
  constexpr const char* kUsage =
      "delete KIND_POS NUMBER (KIND_POS 0 remote control, 1 sensor; NUMBER up to 2 digits)";
  const std::vector<std::string>& args = all.words;
  if (args.size() != 2) return UsageError(kUsage);
  const std::optional<int> kind = Position(args[0], DeleteKindTexts.size());
  if (!kind || !FitsDigitField(args[1], kNumberFieldMaxDigits)) return UsageError(kUsage);
  return SendRequest(context, DeleteOneRequest(*kind, args[1]));
}

int RunDeleteAll(Context& context, const Args& all) {
  constexpr const char* kUsage = "delete-all sensors|remotes|doorbells --yes";
  const std::vector<std::string>& args = all.words;
  if (args.size() != 1) return UsageError(kUsage);
  DeleteAllKind kind;
  if (args[0] == "sensors")
    kind = DeleteAllKind::Sensors;
  else if (args[0] == "remotes")
    kind = DeleteAllKind::Remotes;
  else if (args[0] == "doorbells")
    kind = DeleteAllKind::Doorbells;
  else
    return UsageError(kUsage);
  if (const int status = NeedsYes(all, "delete-all", "the sensors page asks first")) return status;
  return SendEdit(context, DeleteAllPayload(kind));
}

int RunSirenId(Context& context, const Args& all) {
  constexpr const char* kUsage = "siren-id ID (8 digits, each 0, 1 or 2)";
  const std::vector<std::string>& args = all.words;
  if (args.size() != 1 || !FitsDigitField(args[0], kSirenIdDigits)) return UsageError(kUsage);
  return SendRequest(context, SirenIdRequest(args[0]));
}

// "  0   Все" for each text of one of the page's lists.
template <std::size_t N>
std::string Positions(const char* title, const std::array<std::string_view, N>& texts) {
  std::string text = std::string(title) + "\n";
  for (std::size_t i = 0; i < N; ++i)
    text += "  " + std::to_string(i) + (i < 10 ? "   " : "  ") + std::string(texts[i]) + "\n";
  return text;
}

const RegisterCommand kSensors(
    {.name = "sensors",
     .usage = "--port PORT sensors [--filter POS] [--json]",
     .summary = "list the enrolled devices the filter shows, one a line: type, "
                "number, zone, mode, ID",
     .details = Positions("POS     the filter list's position (default 0):", SensorFilterTexts),
     .options = {{"--filter", "POS", "show only the devices of one filter position"}, kJsonOption},
     .run = RunSensors});
const RegisterCommand kLearn(
    {.name = "learn",
     .usage = "--port PORT learn TYPE_POS MODE_POS ZONE",
     .summary = "make the host learn a new device; it then asks for the device to be "
                "triggered",
     .details = Positions("TYPE_POS", LearnTypeTexts) + Positions("MODE_POS", LearnModeTexts) +
                "ZONE    up to 2 digits\n",
     .run = RunLearn});
const RegisterCommand kDelete({.name = "delete",
                               .usage = "--port PORT delete KIND_POS NUMBER",
                               .summary = "delete one enrolled device",
                               .details = Positions("KIND_POS", DeleteKindTexts) +
                                          "NUMBER  the device's number, up to 2 digits\n",
                               .run = RunDelete});
const RegisterCommand kDeleteAll({.name = "delete-all",
                                  .usage = "--port PORT delete-all sensors|remotes|doorbells --yes",
                                  .summary = "delete every enrolled device of one kind",
                                  .options = {YesOption("the devices must be learnt again one by one")},
                                  .run = RunDeleteAll});
const RegisterCommand kSirenId({.name = "siren-id",
                                .usage = "--port PORT siren-id ID",
                                .summary = "set the wireless siren's ID",
                                .details = "ID      8 digits, each 0, 1 or 2\n",
                                .run = RunSirenId});

}  // namespace
}  // namespace veyra::cli
