// An in-process device among the ports: listed under a COM number no system port has, with a
// one-line description, and found again by its name.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/ComPorts.h"
#include "link/InProcessDevice.h"

namespace veyra {
namespace {

// A device end that is never opened: listing needs only the registration.
class IdlePeer final : public InProcessPeer {
 public:
  void Opened(std::shared_ptr<InProcessLine>) override {}
  void Received(const std::uint8_t*, std::size_t) override {}
  void Closed() override {}
};

TEST(InProcessChannel, TheDeviceIsListedAsAPortUnderAFreeNumber) {
  IdlePeer first, second;
  const std::optional<std::vector<ComPort>> before = ListComPorts();
  InProcessRegistration one = RegisterInProcessDevice("list-one", "Device one", first);
  InProcessRegistration two = RegisterInProcessDevice("list-two", "Device\ttwo\n", second);
  ASSERT_TRUE(one.Registered());
  ASSERT_TRUE(two.Registered());
  EXPECT_FALSE(RegisterInProcessDevice("list-one", "again", second).Registered()) << "a name taken twice";
  EXPECT_FALSE(RegisterInProcessDevice("", "no name", second).Registered());

  const std::optional<int> numberOne = ComForDevice("inproc:list-one");
  const std::optional<int> numberTwo = ComForDevice("inproc:list-two");
  ASSERT_TRUE(numberOne && numberTwo);
  EXPECT_NE(*numberOne, *numberTwo);
  for (const ComPort& port : before.value_or(std::vector<ComPort>{})) {
    EXPECT_NE(port.number, *numberOne) << "a number the system's ports had";
    EXPECT_NE(port.number, *numberTwo);
  }
  EXPECT_EQ(DeviceForCom(*numberOne), "inproc:list-one");
  const std::optional<std::vector<ComPort>> ports = ListComPorts();
  ASSERT_TRUE(ports.has_value());
  bool listed = false;
  for (const ComPort& port : *ports) {
    if (port.device != "inproc:list-two") continue;
    listed = true;
    EXPECT_EQ(port.number, *numberTwo);
    EXPECT_EQ(port.name, "COM" + std::to_string(*numberTwo));
    EXPECT_EQ(port.description, "Device two") << "one line, as every description";
  }
  EXPECT_TRUE(listed);
  EXPECT_EQ(ComForDevice("inproc:nothing-here"), std::nullopt);
}

}  // namespace
}  // namespace veyra
