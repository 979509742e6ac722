// The Win32 side of the platform seams: the port list from the registry, the COM names, the
// error texts, where config.ini goes, and a port that is not there. Runs under Wine in CI.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "link/ComPorts.h"
#include "link/Config.h"
#include "link/OpenErrorText.h"
#include "link/SerialChannel.h"

namespace veyra {
namespace {

constexpr const char* kSerialComm = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Values this test adds to the port list, removed again when it ends; the machine's own stay.
class RegisteredPorts {
 public:
  RegisteredPorts() {
    ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialComm, 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key_, nullptr);
  }
  ~RegisteredPorts() {
    for (const std::string& name : names_) ::RegDeleteValueA(key_, name.c_str());
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  bool Usable() const { return key_ != nullptr; }
  void AddText(const std::string& name, const std::string& data) {
    Add(name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
  }
  void AddNumber(const std::string& name, DWORD value) { Add(name, REG_DWORD, &value, sizeof value); }

 private:
  void Add(const std::string& name, DWORD type, const void* data, DWORD size) {
    ::RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    names_.push_back(name);
  }
  HKEY key_ = nullptr;
  std::vector<std::string> names_;
};

// The key's order, not the numbers': Windows keeps the order values were added in, Wine sorts
// them by name, and both put COM41 (added first, named A) before COM40.
TEST(Win32Ports, TheRegistryListsNamedPortsInItsOrderAndSkipsWhatIsNoPort) {
  RegisteredPorts registry;
  ASSERT_TRUE(registry.Usable());
  registry.AddText("\\Device\\VeyraTestA", "COM41");
  registry.AddText("\\Device\\VeyraTestB", "COM40");
  registry.AddText("\\Device\\VeyraTestPrinter", "LPT1");
  registry.AddText("\\Device\\VeyraTestZero", "COM0");
  registry.AddText("\\Device\\VeyraTestHuge", "COM10000");
  registry.AddNumber("\\Device\\VeyraTestNumber", 42);

  const auto ports = ListComPorts();
  ASSERT_TRUE(ports.has_value());
  std::vector<std::string> ours;
  for (const ComPort& port : *ports) {
    if (port.description.rfind("\\Device\\VeyraTest", 0) != 0) continue;
    ours.push_back(port.name + " " + port.device + " " + port.description + " " +
                   std::to_string(port.number));
  }
  EXPECT_EQ(ours, (std::vector<std::string>{"COM41 \\\\.\\COM41 \\Device\\VeyraTestA 41",
                                            "COM40 \\\\.\\COM40 \\Device\\VeyraTestB 40"}));
}

TEST(Win32Ports, ComNamesAndDevicesMapBothWays) {
  const struct {
    const char* device;
    std::optional<int> number;
  } devices[] = {
      {"\\\\.\\COM12", 12},   {"\\\\.\\com3", 3},     {"COM9", 9},
      {"COM0", std::nullopt}, {"LPT1", std::nullopt}, {"\\\\.\\COM10000", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& row : devices) EXPECT_EQ(ComForDevice(row.device, {}), row.number) << row.device;
  EXPECT_EQ(DeviceForCom(7, {}), std::optional<std::string>("\\\\.\\COM7"));
  EXPECT_EQ(DeviceForCom(kMaxComNumber, {}), std::optional<std::string>("\\\\.\\COM9999"));
  EXPECT_EQ(DeviceForCom(0, {}), std::nullopt);
  EXPECT_EQ(DeviceForCom(kMaxComNumber + 1, {}), std::nullopt);
}

TEST(Win32OpenError, TheSystemTextEndsCleanlyWithAHintForTheCommonCauses) {
  const struct {
    int code;
    const char* ending;
  } rows[] = {
      {ERROR_FILE_NOT_FOUND, ". The device is not there: check that the adapter is plugged in."},
      {ERROR_ACCESS_DENIED, ". Another program holds the port: close it there first."},
      {ERROR_SHARING_VIOLATION, ". Another program holds the port: close it there first."},
      {ERROR_GEN_FAILURE, ""},
  };
  for (const auto& row : rows) {
    const std::string text = OpenErrorText(row.code);
    SCOPED_TRACE(text);
    const std::string ending = row.ending;
    ASSERT_GT(text.size(), ending.size() + 3) << "the system's own words come first";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(text.back(), ' ');
  }
  EXPECT_EQ(OpenErrorText(0x2AAAAAAA), "Error 715827882") << "a code the system has no text for";
}

TEST(Win32SerialChannel, APortThatIsNotThereFailsToOpenWithTheSystemsReason) {
  SerialChannel channel;
  EXPECT_EQ(channel.OpenCom(9876), 0);
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_NE(OpenErrorText(channel.LastErrno()).find("The device is not there"), std::string::npos)
      << "error " << channel.LastErrno() << ": " << OpenErrorText(channel.LastErrno());
}

// The rules, given what was found: the environment's file, else beside the executable when a
// config.ini is there or the folder takes one, else the profile's %APPDATA%.
TEST(Win32ConfigLocation, TheEnvironmentThenAPortableFolderThenTheProfile) {
  const std::string exe = "C:\\Tools\\veyra";
  const std::string appData = "C:\\Users\\fitter\\AppData\\Roaming";
  const struct {
    const char* where;
    std::string overridePath, exeDir, appData;
    bool configThere, takesFiles;
    std::string path;
  } rows[] = {
      {"named by the environment", "D:\\my.ini", exe, appData, true, true, "D:\\my.ini"},
      {"a portable copy's own file", "", exe, appData, true, false, exe + "\\config.ini"},
      {"a folder that takes a new file", "", exe, appData, false, true, exe + "\\config.ini"},
      {"Program Files: the profile", "", "C:\\Program Files\\veyra", appData, false, false,
       appData + "\\veyra-setup\\config.ini"},
      {"no profile: beside the executable, where writing fails and says so", "", exe, "", false, false,
       exe + "\\config.ini"},
      {"nothing known", "", "", "", false, false, ".\\config.ini"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    ConfigPathInputs in;
    in.overridePath = row.overridePath;
    in.exeDir = row.exeDir;
    in.appData = row.appData;
    in.exeDirUsable = ExecutableDirectoryUsable(in.exeDir, row.configThere, row.takesFiles);
    EXPECT_EQ(ResolveConfigPath(in), row.path);
  }
}

// The running program: its build folder takes files.
TEST(Win32ConfigLocation, BesideTheExecutableUnlessTheEnvironmentNamesAFile) {
  char exe[MAX_PATH + 1];
  const DWORD length = ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::string dir(exe, length);
  dir.erase(dir.find_last_of("\\/"));

  const char* saved = std::getenv("VEYRA_CONFIG_PATH");
  const std::string restore = saved ? saved : "";
  ::_putenv_s("VEYRA_CONFIG_PATH", "");
  EXPECT_EQ(GetConfigPath(), dir + "\\config.ini");
  ::_putenv_s("VEYRA_CONFIG_PATH", "C:\\elsewhere\\my.ini");
  EXPECT_EQ(GetConfigPath(), "C:\\elsewhere\\my.ini");
  ::_putenv_s("VEYRA_CONFIG_PATH", restore.c_str());
}

}  // namespace
}  // namespace veyra
