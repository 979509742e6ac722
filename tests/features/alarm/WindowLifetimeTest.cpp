// Windows closed while the host is still answering. Run in the sanitizer build, a frame handed to
// a destroyed window (or one being destroyed) is a use after free and fails the run.
#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>
#include <memory>

#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/CTimedArmDlg.h"
#include "features/alarm/CTimedLookupPage.h"
#include "tests/common/LinkHarness.h"
#include "tests/common/WaitFor.h"

namespace veyra {
namespace {

class WindowLifetimeTest : public test::LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
    ASSERT_EQ(port.OpenCom(kCom), 1);
  }
  void TearDown() override {
    HostFound = 0;
    LinkHarness::TearDown();
  }
};

TEST_F(WindowLifetimeTest, WindowsClosedWhileAManyFrameAnswerIsArrivingNeverReceiveIt) {
  struct Window {
    std::unique_ptr<CDialogBase> dialog;
    std::function<void()> ask;  // the button whose answer is many frames
  };
  const struct {
    const char* window;
    std::function<Window()> open;
  } rows[] = {
      {"alarm history, 39 records",
       [this] {
         auto dialog = std::make_unique<CAlarmHistoryDlg>();
         dialog->SetCommn(&port);
         QPushButton* refresh = dialog->RefreshButton();
         return Window{std::move(dialog), [refresh] { refresh->click(); }};
       }},
      {"timed look-up page, a record per group",
       [this] {
         auto dialog = std::make_unique<CTimedArmDlg>();
         dialog->SetCommn(&port);
         QPushButton* lookup = dialog->LookupPage()->LookupButton();
         return Window{std::move(dialog), [lookup] { lookup->click(); }};
       }},
      {"telephone numbers, twelve frames",
       [this] {
         auto dialog = std::make_unique<CAlarmPhoneDlg>();
         dialog->SetCommn(&port);
         QPushButton* read = dialog->ReadButton();
         return Window{std::move(dialog), [read] { read->click(); }};
       }},
  };
  env.SetTimeouts(1, 300);
  hostsim::Faults paced;
  paced.pace = true;  // the answer trickles in at the line rate, long after the first frame
  host.SetFaults(paced);
  constexpr int kRounds = 25;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.window);
    for (int round = 0; round < kRounds; ++round) {
      Window window = row.open();
      window.dialog->show();
      window.ask();  // back once the first frame is in; the rest is still on its way
      // Sometimes with hand-overs already queued for the GUI thread, sometimes in the middle of
      // the reader thread's delivery, sometimes between two frames.
      if (round % 3 == 1) test::DeliverPosted();
      if (round % 3 == 2) test::WaitFor([] { return false; }, round % 7);
      window.dialog.reset();
      EXPECT_EQ(port.Owner(), nullptr) << "a closed window lets go of the port";
      test::DeliverPosted();  // what was queued for the closed window goes nowhere
    }
  }
}

}  // namespace
}  // namespace veyra
