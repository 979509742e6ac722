// The serial ports of this PC under "COMn" names: explicit links first, then the kernel's own
// serial devices numbered in fixed blocks, so a port keeps its number from one run to the next.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veyra {

struct ComPort {
  int number = 0;
  std::string name;    // "COM7"
  std::string device;  // "/dev/ttyUSB0", or the target of an explicit link
  // What the port is, for a person choosing one: "FT232R USB UART (FTDI)" from the USB device's
  // product and manufacturer, else the name of the /dev/serial/by-id link to it, else the device
  // path. One line, no tabs. Filled by ListComPorts only.
  std::string description;
};

struct PortSources {
  std::string portsDir;                       // explicit COMn links; may be missing
  std::string sysfsRoot;                      // "/sys" normally
  std::string byIdDir = "/dev/serial/by-id";  // udev's stable names; may be missing
};

// The automatic numbering blocks: ttyS<i> is COM(i+1), ttyUSB<i> is COM(i+33), ttyACM<i> is COM(i+65).
inline constexpr int kFirstUartCom = 1;
inline constexpr int kFirstUsbSerialCom = 33;
inline constexpr int kFirstAcmCom = 65;
inline constexpr int kMaxComNumber = 9999;
inline constexpr int kMaxListedPorts = 256;  // the port list of the main window holds no more

// text as one line without tabs, for a tab-separated column and a list entry: each run of blanks
// and control characters (tab, newline, DEL...) one space, none at either end.
std::string OneLineText(std::string_view text);

// Ports directory: $VEYRA_PORTS_DIR when set and non-empty, else $XDG_CONFIG_HOME/veyra-setup/ports
// ($HOME/.config when XDG_CONFIG_HOME is unset, empty or relative). Sysfs root: $VEYRA_SYSFS_ROOT
// when set and non-empty, else "/sys". By-id directory: $VEYRA_SERIAL_BY_ID_DIR when set and
// non-empty, else "/dev/serial/by-id".
PortSources DefaultPortSources();

// Sorted by COM number, at most kMaxListedPorts entries (the lowest numbers). nullopt only when
// <sysfsRoot>/class/tty cannot be opened and no in-process device is registered; a missing ports
// directory contributes nothing. In-process devices (InProcessDevice.h) are listed like ports,
// each in place of a system port with its number.
std::optional<std::vector<ComPort>> ListComPorts(const PortSources& sources = DefaultPortSources());

// The device for COMn: an in-process device first, then the explicit link, then the automatic
// numbering; nullopt when none.
// Explicit links are still honoured when sysfs cannot be read.
std::optional<std::string> DeviceForCom(int n, const PortSources& sources = DefaultPortSources());

// The COM number of a device given by its path or by any path that resolves to the same device.
// An explicit link is preferred over an automatic entry for the same device, then the lower number.
// An in-process device ("inproc:demo") has the number it is listed under.
std::optional<int> ComForDevice(const std::string& device, const PortSources& sources = DefaultPortSources());

// -1 when the text does not contain "COM"; otherwise the number read like atoi (leading blanks,
// optional sign, leading digits, 0 when there are none) from the text after its first three
// characters, whatever those are: "COM12" gives 12, "xCOM5" gives 0. Saturates instead of
// overflowing.
int ParsePortNumber(std::string_view text);

// The number of a name that is exactly "COM" and one or more digits ("COM7", "COM07"); nullopt
// for anything else, which is then a path. Saturates at INT_MAX, a number no port has.
std::optional<int> ComNameNumber(std::string_view text);

}  // namespace veyra
