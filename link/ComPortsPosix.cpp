// Port discovery on Linux: explicit COMn links, then sysfs's ttyS, ttyUSB and ttyACM devices.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>

#include "link/Config.h"
#include "link/SystemComPorts.h"

namespace veyra {

namespace {

constexpr std::string_view kComPrefix = "COM";

struct KernelFamily {
  std::string_view prefix;
  int firstCom;
  int lastCom;  // the block ends here so that no two families can claim one number
};

constexpr KernelFamily kFamilies[] = {
    {"ttyS", kFirstUartCom, kFirstUsbSerialCom - 1},
    {"ttyUSB", kFirstUsbSerialCom, kFirstAcmCom - 1},
    {"ttyACM", kFirstAcmCom, kMaxComNumber},
};

// Only the canonical spelling counts ("7", not "07" or "+7"), so one number has one name.
std::optional<int> CanonicalNumber(std::string_view digits, int max) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > max) return std::nullopt;
  return value;
}

std::string Join(const std::string& dir, std::string_view name) {
  std::string path = dir;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string TtyClassDir(const PortSources& sources) { return Join(sources.sysfsRoot, "class/tty"); }

std::string ComName(int number) { return std::string(kComPrefix) + std::to_string(number); }

std::optional<int> ExplicitNumber(std::string_view entryName) {
  if (entryName.substr(0, kComPrefix.size()) != kComPrefix) return std::nullopt;
  auto number = CanonicalNumber(entryName.substr(kComPrefix.size()), kMaxComNumber);
  if (!number || *number < 1) return std::nullopt;
  return number;
}

// Reads a small sysfs attribute; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadSmallFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char buffer[64];
  ssize_t got;
  do {
    got = ::read(fd, buffer, sizeof buffer);
  } while (got < 0 && errno == EINTR);
  ::close(fd);
  if (got < 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(got));
}

// The 8250 driver registers a fixed count of ttyS nodes whether or not a UART answers behind them;
// the unused ones report port type 0. Reading the attribute avoids opening the device, which can
// block or raise modem lines on a real port.
bool IsPresentUart(const std::string& ttyDir) {
  auto text = ReadSmallFile(Join(ttyDir, "type"));
  if (!text) return false;
  const char* begin = text->c_str();
  char* end = nullptr;
  errno = 0;
  long type = std::strtol(begin, &end, 10);
  if (end == begin || errno != 0) return false;
  for (; *end != '\0'; ++end) {
    if (*end != '\n' && *end != ' ' && *end != '\t') return false;
  }
  return type != 0;
}

// The COM number of a kernel tty name, when it is one of the serial families we list.
std::optional<int> AutomaticNumber(std::string_view ttyName) {
  for (const auto& family : kFamilies) {
    if (ttyName.substr(0, family.prefix.size()) != family.prefix) continue;
    auto index = CanonicalNumber(ttyName.substr(family.prefix.size()), family.lastCom - family.firstCom);
    if (!index) return std::nullopt;  // "ttyS" is not a prefix of the other families
    return family.firstCom + *index;
  }
  return std::nullopt;
}

std::optional<std::string> AutomaticName(int number) {
  for (const auto& family : kFamilies) {
    if (number >= family.firstCom && number <= family.lastCom)
      return std::string(family.prefix) + std::to_string(number - family.firstCom);
  }
  return std::nullopt;
}

// Whether an entry of class/tty stands for a port worth listing. Real sysfs entries are symlinks
// to the device's directory; following them through the path reads the device's attributes.
bool IsListableTty(const PortSources& sources, const std::string& ttyName) {
  const std::string dir = Join(TtyClassDir(sources), ttyName);
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) return false;
  if (ttyName.rfind("ttyS", 0) == 0) return IsPresentUart(dir);
  return true;
}

std::optional<std::string> ReadLink(const std::string& path) {
  std::string target(256, '\0');
  for (;;) {
    ssize_t got = ::readlink(path.c_str(), target.data(), target.size());
    if (got < 0) return std::nullopt;
    if (static_cast<std::size_t>(got) < target.size()) {
      target.resize(static_cast<std::size_t>(got));
      return target;
    }
    if (target.size() >= 65536) return std::nullopt;
    target.resize(target.size() * 2);
  }
}

// A relative link target is taken against the ports directory. Only the directory part is
// resolved: the last component stays as the user wrote it, so a stable name such as
// /dev/serial/by-id/... is kept rather than replaced by whichever ttyUSB it points at today.
std::string AbsoluteTarget(const std::string& portsDir, const std::string& target) {
  if (!target.empty() && target.front() == '/') return target;
  std::string joined = Join(portsDir, target);
  const auto slash = joined.rfind('/');
  const std::string dirPart = slash == 0 ? std::string("/") : joined.substr(0, slash);
  char* real = ::realpath(dirPart.c_str(), nullptr);
  if (real == nullptr) return joined;
  std::string result = Join(real, std::string_view(joined).substr(slash + 1));
  std::free(real);
  return result;
}

// The device behind one explicit COMn link: only a symlink that ends at a character device.
std::optional<std::string> ExplicitDevice(const std::string& portsDir, std::string_view entryName) {
  const std::string path = Join(portsDir, entryName);
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
  if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return std::nullopt;  // dangling
  auto target = ReadLink(path);
  if (!target || target->empty()) return std::nullopt;
  return AbsoluteTarget(portsDir, *target);
}

using PortMap = std::map<int, ComPort>;

void AddPort(PortMap& ports, int number, std::string device) {
  ports[number] = ComPort{number, ComName(number), std::move(device), {}};
}

template <typename Visit>
bool ForEachEntry(const std::string& dir, Visit visit) {
  if (dir.empty()) return false;
  DIR* stream = ::opendir(dir.c_str());
  if (stream == nullptr) return false;
  while (const dirent* entry = ::readdir(stream)) visit(std::string(entry->d_name));
  ::closedir(stream);
  return true;
}

PortMap ExplicitPorts(const PortSources& sources) {
  PortMap ports;
  ForEachEntry(sources.portsDir, [&](const std::string& name) {
    auto number = ExplicitNumber(name);
    if (!number) return;
    if (auto device = ExplicitDevice(sources.portsDir, name)) AddPort(ports, *number, *device);
  });
  return ports;
}

std::optional<PortMap> AutomaticPorts(const PortSources& sources) {
  PortMap ports;
  bool readable = ForEachEntry(TtyClassDir(sources), [&](const std::string& name) {
    auto number = AutomaticNumber(name);
    if (number && IsListableTty(sources, name)) AddPort(ports, *number, "/dev/" + name);
  });
  if (!readable) return std::nullopt;
  return ports;
}

bool SameDevice(const std::string& a, const struct stat& aStat, bool aStatOk, const std::string& b) {
  if (a == b) return true;
  if (!aStatOk) return false;
  struct stat bStat {};
  if (::stat(b.c_str(), &bStat) != 0) return false;
  if (S_ISCHR(aStat.st_mode) && S_ISCHR(bStat.st_mode)) return aStat.st_rdev == bStat.st_rdev;
  return aStat.st_dev == bStat.st_dev && aStat.st_ino == bStat.st_ino;
}

std::string NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : std::string();
}

std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return {};
  std::string result = real;
  std::free(real);
  return result;
}

std::string LastName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentDir(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A USB string descriptor as sysfs gives it (at most 126 characters and a newline), made into one
// line without tabs so that it fits a tab-separated column and a list entry.
std::string ReadDescriptorText(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  char buffer[256];
  ssize_t got;
  do {
    got = ::read(fd, buffer, sizeof buffer);
  } while (got < 0 && errno == EINTR);
  ::close(fd);
  return got > 0 ? OneLineText(std::string_view(buffer, static_cast<std::size_t>(got))) : std::string();
}

// The USB device behind a tty: its sysfs "device" is the serial port or the interface, a level or
// two below the device directory that carries idProduct. The walk stays inside the sysfs tree.
std::string UsbDescription(const std::string& sysfsRoot, const std::string& ttyName) {
  const std::string root = RealPath(sysfsRoot);
  std::string dir = RealPath(Join(sysfsRoot, "class/tty/" + ttyName + "/device"));
  if (root.empty() || dir.empty()) return {};
  for (int level = 0; level < 4 && dir.size() > root.size() && dir.rfind(root + "/", 0) == 0; ++level) {
    struct stat st {};
    if (::stat(Join(dir, "idProduct").c_str(), &st) == 0) {
      const std::string product = ReadDescriptorText(Join(dir, "product"));
      const std::string maker = ReadDescriptorText(Join(dir, "manufacturer"));
      if (product.empty() || maker.empty()) return product + maker;
      return product + " (" + maker + ")";
    }
    dir = ParentDir(dir);
  }
  return {};
}

// udev's by-id links point at the node in /dev ("../../ttyUSB0"), so the last name of the target
// identifies the tty without resolving anything.
std::map<std::string, std::string> ByIdNames(const std::string& byIdDir) {
  std::map<std::string, std::string> names;
  ForEachEntry(byIdDir, [&](const std::string& entry) {
    if (entry == "." || entry == "..") return;
    if (auto target = ReadLink(Join(byIdDir, entry)); target && !target->empty())
      names.emplace(LastName(*target), entry);  // entries come in no order; any one will do
  });
  return names;
}

std::string Describe(const ComPort& port, const PortSources& sources,
                     const std::map<std::string, std::string>& byId) {
  // An explicit link may name /dev/serial/by-id/...: the tty is what it resolves to.
  const std::string real = RealPath(port.device);
  const std::string ttyName = LastName(real.empty() ? port.device : real);
  if (std::string usb = UsbDescription(sources.sysfsRoot, ttyName); !usb.empty()) return usb;
  // A by-id name and a link's target are names anyone could give: one line all the same.
  if (const auto found = byId.find(ttyName); found != byId.end()) return OneLineText(found->second);
  return OneLineText(port.device);
}

}  // namespace

PortSources DefaultPortSources() {
  PortSources sources;
  sources.portsDir = NonEmptyEnv("VEYRA_PORTS_DIR");
  if (sources.portsDir.empty()) {
    const std::string user = UserConfigDirectory();
    if (!user.empty()) sources.portsDir = Join(user, "ports");
  }
  sources.sysfsRoot = NonEmptyEnv("VEYRA_SYSFS_ROOT");
  if (sources.sysfsRoot.empty()) sources.sysfsRoot = "/sys";
  if (std::string byId = NonEmptyEnv("VEYRA_SERIAL_BY_ID_DIR"); !byId.empty()) sources.byIdDir = byId;
  return sources;
}

std::optional<std::vector<ComPort>> ListSystemComPorts(const PortSources& sources) {
  auto ports = AutomaticPorts(sources);
  if (!ports) return std::nullopt;
  for (auto& [number, port] : ExplicitPorts(sources)) (*ports)[number] = std::move(port);

  const auto byId = ByIdNames(sources.byIdDir);
  std::vector<ComPort> list;
  for (auto& entry : *ports) {
    if (list.size() == static_cast<std::size_t>(kMaxListedPorts)) break;
    list.push_back(std::move(entry.second));
    list.back().description = Describe(list.back(), sources, byId);
  }
  return list;
}

std::optional<std::string> SystemDeviceForCom(int n, const PortSources& sources) {
  if (n < 1 || n > kMaxComNumber) return std::nullopt;
  if (auto device = ExplicitDevice(sources.portsDir, ComName(n))) return device;
  auto ttyName = AutomaticName(n);
  if (ttyName && IsListableTty(sources, *ttyName)) return "/dev/" + *ttyName;
  return std::nullopt;
}

std::optional<int> SystemComForDevice(const std::string& device, const PortSources& sources) {
  if (device.empty()) return std::nullopt;
  struct stat deviceStat {};
  const bool statOk = ::stat(device.c_str(), &deviceStat) == 0;
  for (const auto& [number, port] : ExplicitPorts(sources)) {
    if (SameDevice(device, deviceStat, statOk, port.device)) return number;
  }
  if (auto automatic = AutomaticPorts(sources)) {
    for (const auto& [number, port] : *automatic) {
      if (SameDevice(device, deviceStat, statOk, port.device)) return number;
    }
  }
  return std::nullopt;
}

}  // namespace veyra
