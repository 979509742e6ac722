// Where "config.ini" lives, its default content, and the exchange settings read from it.
#pragma once

#include <string>
#include <string_view>

#include "link/Frame.h"
#include "link/IniFile.h"

namespace veyra {

// The user's own folder for this program's files (config.ini when not portable, the ports
// directory, the window's remembered state): $XDG_CONFIG_HOME/veyra-setup, XDG_CONFIG_HOME taken
// only when absolute and defaulting to ~/.config; %APPDATA%\veyra-setup on Windows. Empty when
// the user has no home or profile.
std::string UserConfigDirectory();

// The one location used both to write the default file and to read it:
//  1. $VEYRA_CONFIG_PATH when set and non-empty;
//  2. <executable's directory>/config.ini when a config.ini exists there, or the directory is
//     writable and is no installed program directory (.../bin): a portable copy;
//  3. otherwise $XDG_CONFIG_HOME/veyra-setup/config.ini, XDG_CONFIG_HOME defaulting to ~/.config.
// On Windows, rule 2 takes any folder that takes a new file, and rule 3 is
// %APPDATA%\veyra-setup\config.ini.
std::string GetConfigPath();

// What GetConfigPath decides, given what it found. Empty strings stand for unset values;
// exeDirUsable says whether rule 2 applies to exeDir.
struct ConfigPathInputs {
  std::string overridePath;  // $VEYRA_CONFIG_PATH
  std::string exeDir;        // "" when the executable's directory is unknown
  bool exeDirUsable = false;
  std::string xdgConfigHome;  // used only when absolute, as XDG asks
  std::string home;
  std::string appData;  // %APPDATA%, on Windows only
};
std::string ResolveConfigPath(const ConfigPathInputs& in);
// Rule 2's test. A bin directory is where `cmake --install` or a package puts the programs; root,
// or a user installing into ~/.local, can write there, and a config.ini beside /usr/bin/veyractl
// would be nobody's to find.
bool ExecutableDirectoryUsable(const std::string& exeDir, bool configThere, bool writable);

// The file written when none can be read: 48 lines joined by CR LF, no break after the last,
// 905 bytes. The spacing before the '=' of the [main] lines is part of it.
const std::string& DefaultConfigText();

// Unreadable: something is there but cannot be read as a config.ini (no permission, a directory,
// a FIFO or device, larger than IniFile::kMaxFileBytes); it is left alone.
enum class DefaultConfigResult { Existed, Created, Failed, Unreadable };

// Writes DefaultConfigText() at GetConfigPath() when nothing is there, creating its directory if
// needed. A half-written default is removed rather than left to be read as a damaged
// configuration.
DefaultConfigResult EnsureDefaultConfig();

// The [timeout] settings of every command exchange: `times` send attempts (0 sends nothing),
// `waittime` milliseconds per attempt.
struct TimeoutSettings {
  // Beyond these no user means what the file says; a huge value would freeze a window for ever.
  static constexpr int kMaxTimes = 20;
  static constexpr int kMaxWaittimeMs = 30000;

  int times = 3;
  int waittime = 1000;

  bool operator==(const TimeoutSettings&) const = default;
};

// A missing or non-numeric value keeps its default (3, 1000); a negative times counts as 0 and a
// negative waittime as 1000; larger values are clamped to kMaxTimes and kMaxWaittimeMs.
TimeoutSettings ReadTimeouts(const IniFile& ini);

// The reply expected for a command key ("09", "0A"), from [command_number]. An entry that is
// missing or holds no hex pair takes the default table's (a damaged file must not turn every
// reply into an acknowledgement); empty when neither lists the key, and then any reply passes.
Bytes ReadExpectedAck(const IniFile& ini, const std::string& key);

}  // namespace veyra
