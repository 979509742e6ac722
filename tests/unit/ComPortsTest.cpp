#include "link/ComPorts.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace veyra {
namespace {

namespace fs = std::filesystem;

// A scratch directory holding a fake sysfs tree and a ports directory; removed afterwards.
class ScratchTree {
 public:
  ScratchTree() {
    std::string pattern = (fs::temp_directory_path() / "veyra-ports-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = fs::canonical(pattern).string();
    fs::create_directories(Sysfs() + "/class/tty");
    fs::create_directories(Ports());
  }
  ~ScratchTree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  ScratchTree(const ScratchTree&) = delete;
  ScratchTree& operator=(const ScratchTree&) = delete;

  const std::string& Root() const { return root_; }
  std::string Sysfs() const { return root_ + "/sys"; }
  std::string Ports() const { return root_ + "/ports"; }
  PortSources Sources() const { return {Ports(), Sysfs()}; }

  // Replaces "{root}" so rows can name paths inside the scratch tree.
  std::string Expand(const std::string& text) const {
    std::string out = text;
    for (auto at = out.find("{root}"); at != std::string::npos; at = out.find("{root}"))
      out.replace(at, 6, root_);
    return out;
  }

  // class/tty/<name>, as a plain directory or, like the real sysfs, a symlink to the device's
  // directory; a "type" attribute is written when one is given.
  void AddTty(const std::string& name, const std::optional<std::string>& type, bool linked) {
    const std::string classEntry = Sysfs() + "/class/tty/" + name;
    std::string deviceDir = classEntry;
    if (linked) {
      deviceDir = Sysfs() + "/devices/platform/serial/tty/" + name;
      fs::create_directories(deviceDir);
      fs::create_symlink("../../devices/platform/serial/tty/" + name, classEntry);
    } else {
      fs::create_directories(deviceDir);
    }
    if (type) std::ofstream(deviceDir + "/type") << *type;
  }

  void AddLink(const std::string& name, const std::string& target) {
    fs::create_symlink(Expand(target), Ports() + "/" + name);
  }

  void AddPlainFile(const std::string& path) { std::ofstream(Expand(path)) << "x"; }

 private:
  std::string root_;
};

struct Tty {
  std::string name;
  std::optional<std::string> type;
  bool linked = false;
};

struct Link {
  std::string name;
  std::string target;
};

struct Expected {
  int number;
  std::string device;
};

struct ListingRow {
  std::string name;
  std::vector<Tty> ttys;
  std::vector<Link> links;
  std::vector<std::string> plainFiles;  // created before the links, may be link targets
  std::vector<Expected> expected;
  bool portsDirMissing = false;
};

class ComPortsListing : public ::testing::TestWithParam<ListingRow> {};

TEST_P(ComPortsListing, ListsThePortsUnderTheirNumbers) {
  const ListingRow& row = GetParam();
  ScratchTree tree;
  fs::create_directories(tree.Root() + "/devs");
  fs::create_symlink("/dev/null", tree.Root() + "/devs/modem");
  for (const auto& tty : row.ttys) tree.AddTty(tty.name, tty.type, tty.linked);
  for (const auto& file : row.plainFiles) tree.AddPlainFile(file);
  for (const auto& link : row.links) tree.AddLink(link.name, link.target);
  PortSources sources = tree.Sources();
  if (row.portsDirMissing) sources.portsDir = tree.Root() + "/absent";

  auto ports = ListComPorts(sources);
  ASSERT_TRUE(ports.has_value());
  std::vector<std::pair<int, std::string>> got;
  for (const auto& port : *ports) {
    EXPECT_EQ(port.name, "COM" + std::to_string(port.number));
    got.emplace_back(port.number, port.device);
  }
  std::vector<std::pair<int, std::string>> want;
  for (const auto& e : row.expected) want.emplace_back(e.number, tree.Expand(e.device));
  EXPECT_EQ(got, want);
}

const std::string kTypeUart = "4\n";  // PORT_16550A
const std::string kTypeNone = "0\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, ComPortsListing,
    ::testing::Values(
        ListingRow{"SortedByNumberNotDirectoryOrder",
                   {{"ttyUSB1", {}}, {"ttyACM0", {}}, {"ttyS0", kTypeUart}, {"ttyUSB0", {}}},
                   {},
                   {},
                   {{1, "/dev/ttyS0"}, {33, "/dev/ttyUSB0"}, {34, "/dev/ttyUSB1"}, {65, "/dev/ttyACM0"}}},
        ListingRow{"NumberedByKernelIndexNotByPosition",
                   {{"ttyUSB3", {}}, {"ttyACM2", {}}, {"ttyS3", kTypeUart}},
                   {},
                   {},
                   {{4, "/dev/ttyS3"}, {36, "/dev/ttyUSB3"}, {67, "/dev/ttyACM2"}}},
        ListingRow{"PhantomUartWithTypeZeroHidden",
                   {{"ttyS0", kTypeUart}, {"ttyS1", kTypeNone}, {"ttyS2", std::string("0")}},
                   {},
                   {},
                   {{1, "/dev/ttyS0"}}},
        ListingRow{"UartWithoutTypeAttributeHidden", {{"ttyS2", std::nullopt}}, {}, {}, {}},
        ListingRow{"UartWithUnreadableTypeHidden",
                   {{"ttyS3", std::string("")}, {"ttyS4", std::string("unknown\n")}},
                   {},
                   {},
                   {}},
        ListingRow{"SysfsSymlinkEntriesFollowed",
                   {{"ttyS0", kTypeUart, true}, {"ttyS1", kTypeNone, true}, {"ttyUSB0", {}, true}},
                   {},
                   {},
                   {{1, "/dev/ttyS0"}, {33, "/dev/ttyUSB0"}}},
        ListingRow{"OtherTtyDevicesIgnored",
                   {{"tty0", {}},
                    {"tty1", {}},
                    {"console", {}},
                    {"ptmx", {}},
                    {"ttyprintk", {}},
                    {"ttyS", kTypeUart},
                    {"ttyUSB", {}},
                    {"ttyUSB01", {}},
                    {"ttyUSBx", {}},
                    {"ttyACM-1", {}},
                    {"ttyAMA0", {}},
                    {"rfcomm0", {}}},
                   {},
                   {},
                   {}},
        ListingRow{"BlockOverflowDoesNotStealTheNextBlocksNumber",
                   {{"ttyS31", kTypeUart}, {"ttyS32", kTypeUart}, {"ttyUSB32", {}},
                    {"ttyACM9934", {}}, {"ttyACM9935", {}}},
                   {},
                   {},
                   {{32, "/dev/ttyS31"}, {9999, "/dev/ttyACM9934"}}},
        ListingRow{"ExplicitLinkWinsOverAutomaticNumber",
                   {{"ttyUSB0", {}}, {"ttyUSB1", {}}},
                   {{"COM33", "/dev/null"}},
                   {},
                   {{33, "/dev/null"}, {34, "/dev/ttyUSB1"}}},
        ListingRow{"ExplicitLinksOutsideTheBlocksListed",
                   {{"ttyUSB0", {}}},
                   {{"COM7", "/dev/null"}, {"COM9999", "/dev/zero"}, {"COM1", "/dev/full"}},
                   {},
                   {{1, "/dev/full"}, {7, "/dev/null"}, {33, "/dev/ttyUSB0"}, {9999, "/dev/zero"}}},
        ListingRow{"DanglingLinkSkipped",
                   {},
                   {{"COM5", "{root}/gone/ttyUSB9"}, {"COM6", "/dev/null"}},
                   {},
                   {{6, "/dev/null"}}},
        ListingRow{"LinkToSomethingNotADeviceSkipped",
                   {},
                   {{"COM6", "{root}"}, {"COM8", "{root}/regular"}},
                   {"{root}/regular"},
                   {}},
        ListingRow{"NonComNamesIgnored",
                   {},
                   {{"com3", "/dev/null"},
                    {"Com4", "/dev/null"},
                    {"COM", "/dev/null"},
                    {"COMx", "/dev/null"},
                    {"COM3.bak", "/dev/null"},
                    {"COM0", "/dev/null"},
                    {"COM10000", "/dev/null"},
                    {"COM07", "/dev/null"},
                    {"COM+5", "/dev/null"},
                    {" COM2", "/dev/null"},
                    {"COM 9", "/dev/null"},
                    {"xCOM11", "/dev/null"}},
                   {},
                   {}},
        ListingRow{"PlainFileNamedLikeAPortIgnored", {}, {}, {"{root}/ports/COM4"}, {}},
        ListingRow{"RelativeLinkTakenAgainstPortsDirKeepingItsLastName",
                   {},
                   {{"COM5", "../devs/modem"}},
                   {},
                   {{5, "{root}/devs/modem"}}},
        ListingRow{"MissingPortsDirContributesNothing",
                   {{"ttyACM0", {}}},
                   {},
                   {},
                   {{65, "/dev/ttyACM0"}},
                   true}),
    [](const ::testing::TestParamInfo<ListingRow>& info) { return info.param.name; });

TEST(ComPortsUnreadableSysfs, GivesNoListButKeepsExplicitLinks) {
  struct Row {
    std::string name;
    std::string sysfsRoot;  // relative to the scratch root
  };
  const Row rows[] = {
      {"SysfsRootMissing", "nosuch"},
      {"ClassTtyMissing", "emptysys"},
      {"ClassTtyIsAFile", "filesys"},
  };
  ScratchTree tree;
  fs::create_directories(tree.Root() + "/emptysys/class");
  fs::create_directories(tree.Root() + "/filesys/class");
  tree.AddPlainFile("{root}/filesys/class/tty");
  tree.AddLink("COM7", "/dev/null");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PortSources sources{tree.Ports(), tree.Root() + "/" + row.sysfsRoot};
    EXPECT_FALSE(ListComPorts(sources).has_value());
    EXPECT_EQ(DeviceForCom(7, sources), std::optional<std::string>("/dev/null"));
    EXPECT_EQ(ComForDevice("/dev/null", sources), std::optional<int>(7));
  }
}

TEST(ComPortsLimit, KeepsTheLowest256Numbers) {
  ScratchTree tree;
  for (int n = 300; n >= 1; --n) tree.AddLink("COM" + std::to_string(n), "/dev/null");
  auto ports = ListComPorts(tree.Sources());
  ASSERT_TRUE(ports.has_value());
  ASSERT_EQ(ports->size(), 256u);
  for (std::size_t i = 0; i < ports->size(); ++i) EXPECT_EQ((*ports)[i].number, static_cast<int>(i + 1));
}

// One tree for the lookups: automatic ports, an explicit link over an automatic number,
// explicit links elsewhere, a dangling link and a phantom UART.
void BuildLookupTree(ScratchTree& tree) {
  tree.AddTty("ttyS0", kTypeUart, true);
  tree.AddTty("ttyS1", kTypeNone, true);
  tree.AddTty("ttyUSB0", std::nullopt, false);
  tree.AddTty("ttyUSB1", std::nullopt, false);
  tree.AddTty("ttyACM1", std::nullopt, false);
  tree.AddLink("COM33", "/dev/null");
  tree.AddLink("COM7", "/dev/zero");
  tree.AddLink("COM8", "{root}/gone");
}

TEST(ComPortsDeviceForCom, FindsTheDeviceBehindEachNumber) {
  struct Row {
    std::string name;
    int number;
    std::optional<std::string> device;
  };
  const Row rows[] = {
      {"AutomaticUart", 1, "/dev/ttyS0"},
      {"PhantomUartHasNoDevice", 2, std::nullopt},
      {"ExplicitLinkBeforeAutomatic", 33, "/dev/null"},
      {"AutomaticUsbAfterTheOverriddenOne", 34, "/dev/ttyUSB1"},
      {"AutomaticAcmByIndex", 66, "/dev/ttyACM1"},
      {"AbsentAcmIndex", 65, std::nullopt},
      {"ExplicitLinkOutsideBlocks", 7, "/dev/zero"},
      {"DanglingLinkHasNoDevice", 8, std::nullopt},
      {"NumberWithNothingBehindIt", 40, std::nullopt},
      {"ZeroIsNoPort", 0, std::nullopt},
      {"NegativeIsNoPort", -1, std::nullopt},
      {"AboveTheLastNumber", 10000, std::nullopt},
  };
  ScratchTree tree;
  BuildLookupTree(tree);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DeviceForCom(row.number, tree.Sources()), row.device);
  }
}

TEST(ComPortsRoundTrip, EveryListedPortMapsBothWays) {
  ScratchTree tree;
  BuildLookupTree(tree);
  auto ports = ListComPorts(tree.Sources());
  ASSERT_TRUE(ports.has_value());
  ASSERT_EQ(ports->size(), 5u);  // COM1, COM7, COM33, COM34, COM66
  for (const auto& port : *ports) {
    SCOPED_TRACE(port.name);
    EXPECT_EQ(DeviceForCom(port.number, tree.Sources()), std::optional<std::string>(port.device));
    EXPECT_EQ(ComForDevice(port.device, tree.Sources()), std::optional<int>(port.number));
  }
}

// The pseudo-terminal convention the demo and the simulated host use: COMn linked to a pty.
TEST(ComPortsComForDevice, RecognisesTheDeviceByAnyPathToIt) {
  int master = -1;
  int slave = -1;
  char slaveName[256] = {};
  ASSERT_EQ(::openpty(&master, &slave, slaveName, nullptr, nullptr), 0);
  const std::string pts = slaveName;
  const std::string ptsLeaf = pts.substr(pts.rfind('/') + 1);

  ScratchTree tree;
  tree.AddTty("ttyUSB0", std::nullopt, false);
  tree.AddLink("COM7", pts);
  fs::create_symlink(pts, tree.Root() + "/alias");

  struct Row {
    std::string name;
    std::string device;
    std::optional<int> number;
  };
  const Row rows[] = {
      {"ExactLinkTarget", pts, 7},
      {"AnotherSymlinkToTheSameDevice", tree.Root() + "/alias", 7},
      {"DotSegmentsInThePath", "/dev/pts/../pts/" + ptsLeaf, 7},
      {"AutomaticDeviceByItsName", "/dev/ttyUSB0", 33},
      {"ADeviceNotListed", "/dev/null", std::nullopt},
      {"PathThatDoesNotExist", tree.Root() + "/nosuch", std::nullopt},
      {"EmptyPath", "", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ComForDevice(row.device, tree.Sources()), row.number);
  }
  EXPECT_EQ(DeviceForCom(7, tree.Sources()), std::optional<std::string>(pts));
  ::close(slave);
  ::close(master);
}

// Sets or clears environment variables for one scope and puts the old values back.
class EnvironmentScope {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    Apply(name, value);
  }
  ~EnvironmentScope() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first.c_str(), it->second);
  }

 private:
  static void Apply(const char* name, const std::optional<std::string>& value) {
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(ComPortsDefaultSources, FollowTheEnvironment) {
  using Env = std::optional<std::string>;
  struct Row {
    std::string name;
    Env portsDir, xdgConfigHome, home, sysfsRoot;
    std::string wantPortsDir, wantSysfsRoot;
  };
  const Env unset = std::nullopt;
  const Row rows[] = {
      {"PortsDirOverrideWins", "/p", "/x", "/h", unset, "/p", "/sys"},
      {"EmptyPortsDirOverrideIgnored", "", "/x", "/h", unset, "/x/veyra-setup/ports", "/sys"},
      {"XdgConfigHomeUsed", unset, "/x", "/h", unset, "/x/veyra-setup/ports", "/sys"},
      {"XdgUnsetFallsBackToHome", unset, unset, "/h", unset, "/h/.config/veyra-setup/ports", "/sys"},
      {"XdgEmptyFallsBackToHome", unset, "", "/h", unset, "/h/.config/veyra-setup/ports", "/sys"},
      {"XdgRelativeIgnored", unset, "rel/cfg", "/h", unset, "/h/.config/veyra-setup/ports", "/sys"},
      {"SysfsOverrideUsed", unset, "/x", "/h", "/fake", "/x/veyra-setup/ports", "/fake"},
      {"EmptySysfsOverrideIgnored", unset, "/x", "/h", "", "/x/veyra-setup/ports", "/sys"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EnvironmentScope env;
    env.Set("VEYRA_PORTS_DIR", row.portsDir);
    env.Set("XDG_CONFIG_HOME", row.xdgConfigHome);
    env.Set("HOME", row.home);
    env.Set("VEYRA_SYSFS_ROOT", row.sysfsRoot);
    PortSources sources = DefaultPortSources();
    EXPECT_EQ(sources.portsDir, row.wantPortsDir);
    EXPECT_EQ(sources.sysfsRoot, row.wantSysfsRoot);
  }
}

TEST(ComPortsParsePortNumber, ReadsTheNumberAfterTheFirstThreeCharacters) {
  struct Row {
    std::string name;
    std::string text;
    int number;
  };
  const Row rows[] = {
      {"SingleDigit", "COM3", 3},
      {"TwoDigits", "COM12", 12},
      {"LargestExplicitNumber", "COM9999", 9999},
      {"NoComAtAll", "/dev/ttyUSB0", -1},
      {"AutoEntry", "Авто", -1},
      {"EmptyText", "", -1},
      {"LowerCaseIsNotCom", "com3", -1},
      {"ComWithoutDigits", "COM", 0},
      {"ComFollowedByLetters", "COMx", 0},
      {"ComNotAtTheStartReadsFromThirdCharacter", "xCOM5", 0},
      {"ComAfterThreeOtherCharactersIsNotSkipped", "ttyCOM9", 0},
      {"DigitsRightAfterTheThirdCharacterCount", "abc42 COM", 42},
      {"TrailingTextAfterDigits", "COM3 (USB)", 3},
      {"LeadingBlankSkippedLikeAtoi", "COM 7", 7},
      {"SignAcceptedLikeAtoi", "COM-2", -2},
      {"HugeNumberSaturatesInsteadOfOverflowing", "COM99999999999", INT_MAX},
      {"HugeNegativeSaturates", "COM-99999999999", INT_MIN},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ParsePortNumber(row.text), row.number);
  }
}

}  // namespace
}  // namespace veyra
