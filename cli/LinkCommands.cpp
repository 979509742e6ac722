// veyractl's link-level commands: list the ports, send a raw payload.
#include <cstdio>
#include <optional>

#include "cli/Command.h"
#include "cli/Context.h"
#include "cli/UsageError.h"
#include "link/ComPorts.h"
#include "link/TextParts.h"

namespace veyra::cli {
namespace {

int RunPorts(Context& context, const Args& args) {
  if (!args.words.empty()) return UsageError("ports takes no arguments");
  const auto ports = ListComPorts();
  Json& list = context.Doc()["ports"] = Json::array();
  if (!ports) {
    context.Problem("veyractl: the list of serial ports cannot be read");
    return 1;
  }
  for (const ComPort& port : *ports) {
    if (args.json) {
      list.push_back({{"com", port.name}, {"device", port.device}, {"description", port.description}});
    } else {
      // A third column, so scripts that read the first two keep working. A tab or a newline in a
      // link's target would break the columns and the lines: each field is made one line.
      std::printf("%s\t%s\t%s\n", OneLineText(port.name).c_str(), OneLineText(port.device).c_str(),
                  OneLineText(port.description).c_str());
    }
  }
  return 0;
}

int RunSend(Context& context, const Args& args) {
  constexpr const char* kUsage = "send needs the payload as hex bytes: LEN CMD data...";
  if (args.words.empty()) return UsageError(kUsage);
  Bytes payload;
  for (const std::string& arg : args.words) {
    const std::optional<unsigned char> byte = HexByte(arg);
    if (!byte) return UsageError(("not a hex byte: " + arg).c_str());
    payload.push_back(*byte);
  }
  // A frame without its command byte is nothing the host can answer.
  if (payload.size() < 2) return UsageError(kUsage);
  if (payload.size() + 3 > kMaxFrameLength)
    return UsageError("payload too long: a frame is at most 255 bytes");
  if (const int status = context.Connect()) return status;

  Json& frames = context.Doc()["frames"] = Json::array();
  if (!context.SendCommand(payload)) {
    context.Problem("no reply");
    return 1;
  }
  const ListEnd end = context.ReadAnswer("send", kLongListBounds, [&](const Bytes& frame) {
    if (context.JsonOutput()) {
      frames.push_back(FormatHex(frame));
      return false;
    }
    std::printf("%s\n", FormatHex(frame).c_str());
    std::fflush(stdout);
    return false;
  });
  return end == ListEnd::Quiet ? 0 : 1;
}

const RegisterCommand kPorts({.name = "ports",
                              .usage = "ports [--json]",
                              .summary = "list the serial ports: COM name, device path and what the port is, "
                                         "separated by tabs",
                              .details = "needs no --port; a COM name is what --port takes\n",
                              .options = {kJsonOption},
                              .run = RunPorts});
const RegisterCommand kSend(
    {.name = "send",
     .usage = "--port PORT send HEX...",
     .summary = "send a raw payload and print every frame that answers, in hex",
     .details = "HEX...  the payload, one or two hex digits a byte: LEN CMD data...; the "
                "frame's start, checksum and end are added\n",
     .run = RunSend});

}  // namespace
}  // namespace veyra::cli
