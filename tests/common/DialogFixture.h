// A feature dialog on the simulated host: the host is found, the dialog owns the port and has
// it open, and the dialog is shown (never exec'd, so nothing blocks).
#pragma once

#include <memory>

#include "tests/common/LinkHarness.h"

namespace veyra::test {

template <class Dialog>
class DialogFixture : public LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
    dialog = std::make_unique<Dialog>();
    ASSERT_EQ(port.OpenCom(kCom), 1);
    dialog->SetCommn(&port);
    dialog->show();
  }
  void TearDown() override {
    dialog.reset();
    HostFound = 0;
    LinkHarness::TearDown();
  }

  std::unique_ptr<Dialog> dialog;
};

inline hostsim::Faults Silent() {
  hostsim::Faults faults;
  faults.silent = true;
  return faults;
}

inline hostsim::Faults ReplyingWith(const Bytes& reply) {
  hostsim::Faults faults;
  faults.replaceReply = reply;
  return faults;
}

}  // namespace veyra::test
