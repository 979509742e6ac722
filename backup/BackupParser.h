// Reading a backup file: the whole text is checked before anyone acts on it, and a refusal names
// the line and says what is wrong and what is allowed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "backup/HostConfiguration.h"

namespace veyra::backup {

struct BackupParse {
  std::optional<HostConfiguration> config;  // none: refused
  BackupHeader header;
  int line = 0;        // of the refusal, counted from 1
  std::string reason;  // what is wrong and what is allowed
};

// Checks the whole text: the header first (a newer or unknown version is refused before anything
// else is judged), then every line; each area's section must be there with every field once.
// Blank lines and lines starting with '#' or ';' are skipped; CR LF line ends and a UTF-8 byte
// order mark are taken as meant. Phone numbers come back as the host would read them back. A
// setup number may go by veyractl's shorter name too: siren for siren_minutes.
BackupParse ParseBackupText(std::string_view text);

}  // namespace veyra::backup
