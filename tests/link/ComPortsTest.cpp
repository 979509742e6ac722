#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "link/ComPorts.h"
#include "tests/common/ScratchDir.h"

namespace veyra {
namespace {

namespace fs = std::filesystem;

// A fake sysfs tree and ports directory; "{root}" opening a path names the tree's root.
struct Tree {
  test::ScratchDir dir;
  const std::string root = fs::canonical(dir.Path(".")).string();

  Tree() {
    for (const char* sub : {"/sys/class/tty", "/ports", "/devs", "/by-id"})
      fs::create_directories(root + sub);
    fs::create_symlink("/dev/null", root + "/devs/modem");
  }
  PortSources Sources() const { return {root + "/ports", root + "/sys", root + "/by-id"}; }
  std::string Expand(const std::string& path) const {
    return path.rfind("{root}", 0) == 0 ? root + path.substr(6) : path;
  }
  // "ttyS0=4": like the real sysfs, class/tty/ttyS0 is a symlink to the device's directory,
  // whose "type" attribute holds what follows the "=" (no attribute without one).
  void AddTty(const std::string& entry) const {
    const std::string name = entry.substr(0, entry.find('='));
    const std::string device = root + "/sys/devices/platform/serial/tty/" + name;
    fs::create_directories(device);
    fs::create_symlink("../../devices/platform/serial/tty/" + name, root + "/sys/class/tty/" + name);
    if (name != entry) std::ofstream(device + "/type") << entry.substr(name.size() + 1);
  }
  // A USB adapter in bus 1's socket `socket`, under a root hub that has strings of its own. Like
  // the kernel's: ttyUSB's device is its port below the interface, ttyACM's the interface itself.
  // An empty string leaves its file out.
  void AddUsbTty(const std::string& tty, int socket, const std::string& product,
                 const std::string& maker) const {
    const std::string hub = root + "/sys/devices/pci0000:00/usb1", usb = hub + "/1-" + std::to_string(socket);
    const std::string ifName = "1-" + std::to_string(socket) + ":1.0", interface = usb + "/" + ifName;
    const bool acm = tty.rfind("ttyACM", 0) == 0;
    const std::string port = acm ? interface : interface + "/" + tty, ttyDir = port + "/tty/" + tty;
    fs::create_directories(ttyDir);
    const std::tuple<std::string, const char*, std::string> files[] = {
        {hub, "product", "xHCI Host Controller\n"},
        {hub, "manufacturer", "Linux xhci-hcd\n"},
        {hub, "idProduct", "0002\n"},
        {usb, "idProduct", "6001\n"},
        {usb, "product", product},
        {usb, "manufacturer", maker}};
    for (const auto& [folder, file, text] : files)
      if (!text.empty()) std::ofstream(folder + "/" + file) << text;
    fs::create_symlink(acm ? "../../../" + ifName : "../../../" + tty, ttyDir + "/device");
    fs::create_symlink(ttyDir, root + "/sys/class/tty/" + tty);
  }
  // "COM7>/dev/zero" links COM7 there, "COM7" links it to /dev/null, "COM7>" is a plain file.
  void AddLink(const std::string& entry) const {
    const auto arrow = entry.find('>');
    const std::string path = root + "/ports/" + entry.substr(0, arrow);
    if (arrow == std::string::npos)
      fs::create_symlink("/dev/null", path);
    else if (arrow + 1 == entry.size())
      std::ofstream(path) << "x";
    else
      fs::create_symlink(Expand(entry.substr(arrow + 1)), path);
  }
};

TEST(ComPortsListing, ListsThePortsUnderTheirNumbers) {
  const struct {
    const char* expect;
    std::vector<std::string> ttys, links;
    std::vector<std::pair<int, std::string>> expected;
    bool portsDirMissing = false;
  } rows[] = {
      // clang-format off
      {"UnsortedOrNotNumberedByKernelIndex", {"ttyUSB3", "ttyACM2", "ttyS3=4\n", "ttyUSB0"}, {},
       {{4, "/dev/ttyS3"}, {33, "/dev/ttyUSB0"}, {36, "/dev/ttyUSB3"}, {67, "/dev/ttyACM2"}}},
      {"UartWithoutANonzeroTypeListed", {"ttyS0=4\n", "ttyS1=0\n", "ttyS2=0", "ttyS3", "ttyS4=", "ttyS5=unknown\n"},
       {}, {{1, "/dev/ttyS0"}}},
      {"OtherTtyDevicesListed", {"tty0", "console", "ttyAMA0", "ttyS=4", "ttyUSB", "ttyUSB01", "ttyUSBx", "ttyACM-1"},
       {}, {}},
      {"BlockOverflowStealsTheNextBlocksNumber", {"ttyS31=4", "ttyS32=4", "ttyUSB32", "ttyACM9934", "ttyACM9935"},
       {}, {{32, "/dev/ttyS31"}, {9999, "/dev/ttyACM9934"}}},
      {"ExplicitLinksLoseOrAreKeptInsideTheBlocks", {"ttyUSB0", "ttyUSB1"},
       {"COM33", "COM7", "COM9999>/dev/zero", "COM1>/dev/full"},
       {{1, "/dev/full"}, {7, "/dev/null"}, {33, "/dev/null"}, {34, "/dev/ttyUSB1"}, {9999, "/dev/zero"}}},
      {"LinkWithoutADeviceOrPlainFileListed", {},
       {"COM5>{root}/gone/ttyUSB9", "COM6>{root}", "COM4>", "COM8>{root}/ports/COM4", "COM9"}, {{9, "/dev/null"}}},
      {"NonComNamesListed", {},
       {"com3", "COM", "COMx", "COM3.bak", "COM0", "COM10000", "COM07", "COM+5", " COM2", "xCOM11"}, {}},
      {"RelativeLinkResolvedElsewhereOrItsLastNameLost", {}, {"COM5>../devs/modem"}, {{5, "{root}/devs/modem"}}},
      {"MissingPortsDirFailsTheListing", {"ttyACM0"}, {}, {{65, "/dev/ttyACM0"}}, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    Tree tree;
    for (const auto& tty : row.ttys) tree.AddTty(tty);
    for (const auto& link : row.links) tree.AddLink(link);
    PortSources sources = tree.Sources();
    if (row.portsDirMissing) sources.portsDir = tree.root + "/absent";
    const auto ports = ListComPorts(sources);
    ASSERT_TRUE(ports.has_value());
    std::vector<std::pair<int, std::string>> got, want;
    for (const auto& port : *ports) {
      EXPECT_EQ(port.name, "COM" + std::to_string(port.number));
      got.emplace_back(port.number, port.device);
    }
    for (const auto& [number, device] : row.expected) want.emplace_back(number, tree.Expand(device));
    EXPECT_EQ(got, want);
  }
}

// What the port list says a port is: the adapter's USB strings, else udev's by-id name, else the path.
TEST(ComPortsListing, DescribesEachPortByWhatTheSystemKnowsOfIt) {
  const struct {
    const char* expect;
    std::string tty;                // "ttyS0=4": a built-in UART, anything else a USB adapter
    std::string product, maker;     // the adapter's string files, left out when empty
    std::vector<std::string> byId;  // "name>tty": a by-id link to ../../tty
    std::string want;
  } rows[] = {
      // clang-format off
      {"UsbStringsLostBehindTheByIdName", "ttyUSB0", "FT232R USB UART\n", "FTDI\n",
       {"usb-FTDI_FT232R_USB_UART_A10KZ-if00-port0>ttyUSB0"}, "FT232R USB UART (FTDI)"},
      {"ModemInterfaceWalkedUpTooFar", "ttyACM0", "Pico", "Raspberry Pi", {}, "Pico (Raspberry Pi)"},
      {"MissingMakerLeavesEmptyParentheses", "ttyUSB1", "CP2102 USB to UART Bridge Controller", "", {},
       "CP2102 USB to UART Bridge Controller"},
      {"ControlCharactersSplitTheColumn", "ttyUSB2", "Dual\tRS232\r\n", " Acme\x01\x01Ltd ", {}, "Dual RS232 (Acme Ltd)"},
      {"AdapterWithoutStringsTakesTheRootHubs", "ttyUSB3", "", "", {"usb-1a86_USB_Serial-if00-port0>ttyUSB3"},
       "usb-1a86_USB_Serial-if00-port0"},
      {"ByIdLinkOfAnotherTtyTaken", "ttyUSB4", "", "", {"usb-1a86_USB_Serial-if00-port0>ttyUSB40"}, "/dev/ttyUSB4"},
      {"PlainUartGivenAnEmptyText", "ttyS0=4", "", "", {}, "/dev/ttyS0"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    Tree tree;
    if (row.tty.rfind("ttyS", 0) == 0)
      tree.AddTty(row.tty);
    else
      tree.AddUsbTty(row.tty, 2, row.product, row.maker);
    for (const auto& link : row.byId) {
      const auto arrow = link.find('>');
      fs::create_symlink("../../" + link.substr(arrow + 1), tree.root + "/by-id/" + link.substr(0, arrow));
    }
    const auto ports = ListComPorts(tree.Sources());
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 1u);
    EXPECT_EQ(ports->front().description, row.want);
  }
}

TEST(ComPortsListing, KeepsTheLowest256Numbers) {
  Tree tree;
  for (int n = 300; n >= 1; --n) tree.AddLink("COM" + std::to_string(n));
  const auto ports = ListComPorts(tree.Sources());
  ASSERT_TRUE(ports.has_value());
  ASSERT_EQ(ports->size(), 256u);
  for (std::size_t i = 0; i < ports->size(); ++i) EXPECT_EQ((*ports)[i].number, static_cast<int>(i + 1));
}

// The demo and the simulated host link COMn to a pseudo-terminal.
TEST(ComPortsLookup, AgreesWithTheListingWhicheverPathNamesTheDeviceAndWithoutSysfs) {
  int master = -1, slave = -1;
  char slaveName[256] = {};
  ASSERT_EQ(::openpty(&master, &slave, slaveName, nullptr, nullptr), 0);
  const std::string pts = slaveName;
  Tree tree;
  for (const char* tty : {"ttyS0=4\n", "ttyS1=0\n", "ttyUSB0", "ttyUSB1", "ttyACM1"}) tree.AddTty(tty);
  tree.AddLink("COM33");
  tree.AddLink("COM7>" + pts);
  tree.AddLink("COM8>{root}/gone");
  fs::create_symlink(pts, tree.root + "/alias");

  const auto ports = ListComPorts(tree.Sources());
  ASSERT_TRUE(ports.has_value());
  ASSERT_EQ(ports->size(), 5u);  // COM1, COM7, COM33, COM34, COM66
  for (const auto& port : *ports) {
    SCOPED_TRACE(port.name);
    EXPECT_EQ(DeviceForCom(port.number, tree.Sources()), std::optional<std::string>(port.device));
    EXPECT_EQ(ComForDevice(port.device, tree.Sources()), std::optional<int>(port.number));
  }
  // Phantom UART, dangling link, nothing behind it, and numbers outside 1..9999.
  for (int n : {2, 8, 40, 0, -1, 10000}) EXPECT_EQ(DeviceForCom(n, tree.Sources()), std::nullopt) << n;
  const std::pair<std::string, std::optional<int>> devices[] = {
      {tree.root + "/alias", 7},                                 // another symlink to the pty
      {"/dev/pts/../pts/" + pts.substr(pts.rfind('/') + 1), 7},  // dot segments
      {"/dev/ttyUSB1", 34},
      {"/dev/full", std::nullopt},  // a device not listed
      {tree.root + "/nosuch", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [device, n] : devices) EXPECT_EQ(ComForDevice(device, tree.Sources()), n) << device;

  // Without a readable sysfs there is no list, but the explicit links still work.
  std::ofstream(tree.root + "/sysfile") << "x";
  for (const char* sysfs : {"/nosuch", "/sysfile"}) {
    const PortSources sources{tree.root + "/ports", tree.root + sysfs};
    EXPECT_FALSE(ListComPorts(sources).has_value()) << sysfs;
    EXPECT_EQ(DeviceForCom(7, sources), std::optional<std::string>(pts)) << sysfs;
    EXPECT_EQ(ComForDevice(pts, sources), std::optional<int>(7)) << sysfs;
  }
  ::close(slave);
  ::close(master);
}

TEST(ComPortsDefaultSources, FollowTheEnvironment) {
  using Env = std::optional<std::string>;
  const Env unset;
  const struct {
    const char* expect;
    Env portsDir, xdgConfigHome, sysfsRoot, byIdDir;
    std::string wantPortsDir, wantSysfsRoot, wantByIdDir;
  } rows[] = {
      {"OverridesLose", "/p", "/x", "/fake", "/b", "/p", "/fake", "/b"},
      {"EmptyOverridesTaken", "", "/x", "", "", "/x/veyra-setup/ports", "/sys", "/dev/serial/by-id"},
      {"XdgUnsetHasNoHomeFallback", unset, unset, unset, unset, "/h/.config/veyra-setup/ports", "/sys",
       "/dev/serial/by-id"},
      {"XdgRelativeTrusted", unset, "rel/cfg", unset, unset, "/h/.config/veyra-setup/ports", "/sys",
       "/dev/serial/by-id"},
  };
  const char* names[] = {"VEYRA_PORTS_DIR", "XDG_CONFIG_HOME", "VEYRA_SYSFS_ROOT", "VEYRA_SERIAL_BY_ID_DIR",
                         "HOME"};
  auto set = [](const char* name, const Env& value) {
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  };
  std::vector<Env> old;
  for (const char* name : names) old.push_back(std::getenv(name) ? Env(std::getenv(name)) : unset);
  set("HOME", "/h");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    set(names[0], row.portsDir);
    set(names[1], row.xdgConfigHome);
    set(names[2], row.sysfsRoot);
    set(names[3], row.byIdDir);
    EXPECT_EQ(DefaultPortSources().portsDir, row.wantPortsDir);
    EXPECT_EQ(DefaultPortSources().sysfsRoot, row.wantSysfsRoot);
    EXPECT_EQ(DefaultPortSources().byIdDir, row.wantByIdDir);
  }
  for (std::size_t i = 0; i < old.size(); ++i) set(names[i], old[i]);
}

// ParsePortNumber reads like atoi after any three characters; ComNameNumber takes "COM" and digits only.
TEST(ComPortsNames, ParsePortNumberAndComNameNumberReadTheirOwnShapes) {
  const std::optional<int> none;
  const struct {
    const char* expect;
    std::string text;
    int parsed;
    std::optional<int> comName;
  } rows[] = {
      // clang-format off
      {"a plain COM name reads as its number", "COM7", 7, 7},
      {"leading zeros are read past", "COM07", 7, 7},
      {"the auto entry has no number", "Авто", -1, none},
      {"lower case is no COM name", "com7", -1, none},
      {"COM alone parses as 0 and is no COM name", "COM", 0, none},
      {"a path ending in COM7 parses as 0 and is no COM name", "/some/dir/COM7", 0, none},
      {"digits after the third character are parsed", "abc42 COM", 42, none},
      {"trailing text is parsed past and makes no COM name", "COM7x", 7, none},
      {"a leading blank is parsed past and makes no COM name", "COM 7", 7, none},
      {"a sign is parsed and makes no COM name", "COM-7", -7, none},
      {"a plus sign makes no COM name", "COM+7", 7, none},
      {"a device path has no number", "/dev/ttyUSB0", -1, none},
      {"a huge number stops at INT_MAX", "COM99999999999", INT_MAX, INT_MAX},
      {"a huge negative number stops at INT_MIN", "COM-99999999999", INT_MIN, none},
      // clang-format on
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ParsePortNumber(row.text), row.parsed) << row.expect;
    EXPECT_EQ(ComNameNumber(row.text), row.comName) << row.expect;
  }
}

}  // namespace
}  // namespace veyra
