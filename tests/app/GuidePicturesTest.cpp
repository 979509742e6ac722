// The pictures of the user guide: every window on the demo host, with what the host holds read in,
// as an installer sees it. Runs only when VEYRA_GUIDE_DIR names where to put them
// (tools/guide-pictures.sh does that under a virtual X server).
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "app/CMainDlg.h"
#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/COperateHostDlg.h"
#include "features/alarm/CTimedArmDlg.h"
#include "features/alarm/CTimedLookupPage.h"
#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSensorListPage.h"
#include "features/sensors/CSensorsDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
#include "features/settings/CSettingsDlg.h"
#include "features/settings/CSetupPage.h"
#include "hostsim/InProcessHost.h"
#include "link/HostPort.h"
#include "tests/common/MainWindowParts.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

TEST(GuidePicturesTest, EveryWindowOnTheDemoHost) {
  const QString dir = qEnvironmentVariable("VEYRA_GUIDE_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "VEYRA_GUIDE_DIR is not set";
  QDir().mkpath(dir);
  test::TestEnvironment env;
  test::RecordingNotifier messages;
  hostsim::InProcessHost demo;
  ASSERT_TRUE(demo.Start("demo", "Демо-хост"));
  HostPort port;
  ASSERT_EQ(port.OpenCom(demo.ComNumber()), 1);
  const auto save = [&dir](QWidget& window, const char* name) {
    window.show();
    test::WaitFor([] { return false; }, 300);  // replies in, repainted
    window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
  };

  CMainDlg main(port);
  HostFound = 1;  // as a search that found the demo host leaves it
  Parts(main).StatusLine()->setText(
      QStringLiteral("COM%1 Successful to find main host!").arg(demo.ComNumber()));
  save(main, "main");

  // Each dialog on the port, with what the host holds read in by the button `read` names, if any.
  const auto open = [&](auto&& dialog, const char* name, auto read) {
    dialog.SetCommn(&port);
    dialog.show();
    if (QPushButton* button = read(dialog)) button->click();
    save(dialog, name);
  };
  const auto none = [](auto&) -> QPushButton* { return nullptr; };
  open(CSettingsDlg(&main), "settings", [](auto& d) { return d.SetupPage()->GetButton(); });
  open(CAlarmHistoryDlg(&main), "history", [](auto& d) { return d.RefreshButton(); });
  open(COperateHostDlg(&main), "operate", none);
  open(CTimedArmDlg(&main), "schedules", [](auto& d) { return d.LookupPage()->LookupButton(); });
  open(CAlarmPhoneDlg(&main), "phones", [](auto& d) { return d.ReadButton(); });
  open(CSensorsDlg(&main), "sensors", [](auto& d) { return d.ListPage()->CheckButton(); });
  open(CMmsSettingDlg(&main), "mms", none);
  open(CSmartHomeDlg(&main), "smarthome", none);
  for (const std::string& text : messages.Texts()) ADD_FAILURE() << text;
  HostFound = 0;
}

}  // namespace
}  // namespace veyra
