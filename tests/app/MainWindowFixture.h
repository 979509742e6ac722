// The main window on hosts behind its port list: a fresh window per call, the password it will be
// given, and short pauses so searches end quickly.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "app/CMainDlg.h"
#include "link/Frame.h"
#include "link/HostPort.h"
#include "tests/common/MainWindowParts.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/WaitFor.h"

namespace veyra::test {

inline const Bytes kLogin1234{0xAA, 0x02, 0x01, 0x12, 0x34, 0x49, 0x55};

class MainWindowTest : public SearchHostsFixture {
 protected:
  void SetUp() override {
    env.SetTimeouts(1, 250);
    SearchHostsFixture::SetUp();
  }
  void TearDown() override {
    window.reset();
    port.Close();
  }
  // `prepare` runs before the window is shown.
  CMainDlg& Window(std::optional<int> password = 1234, const std::function<void(CMainDlg&)>& prepare = {}) {
    window = std::make_unique<CMainDlg>(port);
    window->SetPasswordPrompt([password] { return password; });
    window->SetSearchPauses(10, 50);
    if (prepare) prepare(*window);
    window->show();
    DeliverPosted();
    return *window;
  }
  void Select(const QString& text) {
    Parts(*window).PortList()->setCurrentIndex(Parts(*window).PortList()->findText(text));
  }

  RecordingNotifier messages;
  HostPort port;
  std::unique_ptr<CMainDlg> window;
};

}  // namespace veyra::test
