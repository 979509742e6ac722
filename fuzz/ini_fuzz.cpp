// libFuzzer target for the "config.ini" reader: any bytes must parse without fault into entries
// of the shapes the parsing rules allow, and the exchange settings read from them stay sane.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/IniInvariants.h"
#include "link/Config.h"
#include "link/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const veyra::IniFile ini = veyra::IniFile::Parse(content, "fuzz.ini");

  const std::string violation = veyra::fuzz::IniInvariantViolation(ini);
  if (!violation.empty()) {
    std::fprintf(stderr, "INI invariant broken: %s\n", violation.c_str());
    std::abort();
  }

  // The look-ups the program makes.
  for (const char* key : {"m_lsjl", "m_xtsj"}) (void)ini.GetValue("main", key);
  for (const char* key : {"01", "09", "0A", "32"}) (void)ini.GetValue("command_number", key);
  const veyra::TimeoutSettings timeouts = veyra::ReadTimeouts(ini);
  if (timeouts.times < 0 || timeouts.waittime < 0) {
    std::fprintf(stderr, "negative timeout setting: %d %d\n", timeouts.times, timeouts.waittime);
    std::abort();
  }
  for (const veyra::IniEntry& entry : ini.Entries()) (void)veyra::ReadLeadingInt(entry.text);
  return 0;
}
