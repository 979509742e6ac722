#include "link/Config.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "link/FileCompat.h"

namespace veyra {
namespace {

// Says whether the reader would take the file: regular, readable, not too large.
bool CanRead(const std::string& path) { return IniFile::Open(path, false).has_value(); }

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    // At most 1 GiB a call: Windows' write takes an unsigned count.
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(data.size(), std::size_t{1} << 30));
    const ssize_t n = ::write(fd, data.data(), chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

const std::string& DefaultConfigText() {
  static const std::string text = [] {
    static const char* const kLines[] = {
        "[main]",
        "m_lsjl  = Check alarm history",
        "m_bjdhsz= Setting Alarm Telephone Numbers",
        "m_zjcz  = Operate on the host",
        "m_dsbcf = Setting Timed Arm/Disarm",
        "m_xtsz  = System Setup",
        "m_xtsj  = Upgrade",
        "[transcolor]",
        "r=255",
        "g=255",
        "b=255",
        "[timeout]",
        "times=3",
        "waittime=1000",
        "[command_number]",
        "01=AA 00 01 FF 55",
        "04=AA 00 04 04 55",
        "06=AA 00 06 06 55",
        "07=AA 00 07 07 55",
        "08=AA 00 08 08 55",
        "09=AA 00 09 09 55",
        "0A=AA 00 0A 0A 55",
        "0B=AA 00 0B 0B 55",
        "0D=AA 00 0D 0D 55",
        "0E=AA 00 0E 0E 55",
        "0F=AA 00 0F 0F 55",
        "11=AA 00 11 11 55",
        "12=AA 00 12 12 55",
        "13=AA 00 13 13 55",
        "14=AA 00 14 14 55",
        "15=AA 00 15 15 55",
        "16=AA 00 16 16 55",
        "17=AA 00 17 17 55",
        "18=AA 00 18 18 55",
        "19=AA 00 19 19 55",
        "20=AA 00 20 20 55",
        "21=AA 00 21 21 55",
        "22=AA 00 22 22 55",
        "23=AA 00 23 23 55",
        "24=AA 00 24 24 55",
        "25=AA 00 25 25 55",
        "26=AA 00 26 26 55",
        "27=AA 00 27 27 55",
        "28=AA 00 28 28 55",
        "29=AA 00 29 29 55",
        "30=AA 00 30 30 55",
        "31=AA 00 31 31 55",
        "32=AA 00 32 32 55",
    };
    std::string joined;
    for (const char* line : kLines) {
      if (!joined.empty()) joined += "\r\n";
      joined += line;
    }
    return joined;
  }();
  return text;
}

DefaultConfigResult EnsureDefaultConfig() {
  const std::string path = GetConfigPath();
  if (CanRead(path)) return DefaultConfigResult::Existed;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return DefaultConfigResult::Unreadable;

  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec) return DefaultConfigResult::Failed;
  }
  // O_EXCL: a file that exists but could not be read is the user's, not ours to replace.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST)  // created meanwhile
      return CanRead(path) ? DefaultConfigResult::Existed : DefaultConfigResult::Unreadable;
    return DefaultConfigResult::Failed;
  }
  const bool written = WriteAll(fd, DefaultConfigText());
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(path.c_str());
    return DefaultConfigResult::Failed;
  }
  return DefaultConfigResult::Created;
}

TimeoutSettings ReadTimeouts(const IniFile& ini) {
  TimeoutSettings settings;
  if (const auto times = ReadLeadingInt(ini.GetValue("timeout", "times"))) {
    settings.times = static_cast<int>(std::clamp<long>(*times, 0, TimeoutSettings::kMaxTimes));
  }
  if (const auto waittime = ReadLeadingInt(ini.GetValue("timeout", "waittime"))) {
    if (*waittime >= 0)
      settings.waittime = static_cast<int>(std::min<long>(*waittime, TimeoutSettings::kMaxWaittimeMs));
  }
  return settings;
}

Bytes ReadExpectedAck(const IniFile& ini, const std::string& key) {
  Bytes expected;
  ParseHexText(ini.GetValue("command_number", key), expected);
  if (expected.empty()) {
    static const IniFile defaults = IniFile::Parse(DefaultConfigText());
    ParseHexText(defaults.GetValue("command_number", key), expected);
  }
  return expected;
}

}  // namespace veyra
