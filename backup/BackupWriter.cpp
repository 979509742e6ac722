#include "backup/BackupWriter.h"

#include "backup/BackupFields.h"
#include "backup/BackupKeys.h"

namespace veyra::backup {

std::string BackupText(const HostConfiguration& config, const BackupHeader& header) {
  std::string text = "[" + std::string(kBackupHeaderSection) + "]\n";
  text += "version=" + std::to_string(header.version) + "\n";
  text += "program=" + header.program + "\n";
  text += "date=" + header.date + "\n";
  for (Area area : AllAreas) {
    text += "\n[" + std::string(AreaNames[static_cast<int>(area)]) + "]\n";
    if (area == Area::Devices)
      text += "# A record of the devices learnt at the host; a restore does not write them.\n";
    const Fields fields = AreaFields(config, area);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      // Said beside the value too, so the file explains itself where a reader looks.
      const std::string note = FieldNote(config, area, i);
      if (!note.empty()) text += "# Not restorable: " + note + ".\n";
      text += fields[i].name + "=" + fields[i].value;
      text += note.empty() ? "\n" : " " + std::string(kNotRestorableMarker) + "\n";
    }
  }
  return text;
}

std::string IsoLocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  std::string iso = text;
  // strftime gives +0200; the extended format wants +02:00, like the rest of the text.
  if (iso.size() >= 5) iso.insert(iso.size() - 2, ":");
  return iso;
}

}  // namespace veyra::backup
