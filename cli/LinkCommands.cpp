// veyractl's link-level commands: list the ports, send a raw payload.
#include <cstdio>

#include "cli/CliContext.h"
#include "link/ComPorts.h"

namespace veyra::cli {
namespace {

int RunPorts(Context&, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError("ports takes no arguments");
  const auto ports = ListComPorts();
  if (!ports) {
    std::fprintf(stderr, "veyractl: the list of serial ports cannot be read\n");
    return 1;
  }
  // A third column, so scripts that read the first two keep working.
  for (const ComPort& port : *ports)
    std::printf("%s\t%s\t%s\n", port.name.c_str(), port.device.c_str(), port.description.c_str());
  return 0;
}

// One or two hex digits and nothing else: strtol would also take a blank or a sign before them.
bool ParseHexByte(const std::string& text, std::uint8_t& out) {
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  out = static_cast<std::uint8_t>(value);
  return true;
}

int RunSend(Context& context, const std::vector<std::string>& args) {
  constexpr const char* kUsage = "send needs the payload as hex bytes: LEN CMD data...";
  if (args.empty()) return UsageError(kUsage);
  Bytes payload;
  for (const std::string& arg : args) {
    std::uint8_t byte = 0;
    if (!ParseHexByte(arg, byte)) return UsageError(("not a hex byte: " + arg).c_str());
    payload.push_back(byte);
  }
  // A frame without its command byte is nothing the host can answer.
  if (payload.size() < 2) return UsageError(kUsage);
  if (payload.size() + 3 > kMaxFrameLength)
    return UsageError("payload too long: a frame is at most 255 bytes");
  if (const int status = context.Connect()) return status;

  if (!context.SendCommand(payload)) {
    std::fprintf(stderr, "no reply\n");
    return 1;
  }
  const ListEnd end = context.ReadAnswer("send", kLongListBounds, [](const Bytes& frame) {
    std::printf("%s\n", FormatHex(frame).c_str());
    std::fflush(stdout);
  });
  return end == ListEnd::Quiet ? 0 : 1;
}

const RegisterCommand kPorts({"ports", "ports", RunPorts});
const RegisterCommand kSend({"send", "--port PORT send HEX...", RunSend});

}  // namespace
}  // namespace veyra::cli
