// The pictures of the user guide: every window on the demo host, with what the host holds read in,
// as an installer sees it. Runs only when VEYRA_GUIDE_DIR names where to put them
// (tools/guide-pictures.sh does that under a virtual X server).
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>

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
#include "hostsim/DemoPorts.h"
#include "link/HostPort.h"
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
  hostsim::DemoPorts demo;
  ASSERT_TRUE(demo.Start());
  HostPort port;
  ASSERT_EQ(port.OpenCom(demo.ComNumber()), 1);
  const auto save = [&dir](QWidget& window, const char* name) {
    window.show();
    test::WaitFor([] { return false; }, 300);  // replies in, repainted
    window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
  };

  CMainDlg main(port);
  HostFound = 1;  // as a search that found the demo host leaves it
  main.StatusLine()->setText(QStringLiteral("COM%1 Successful to find main host!").arg(demo.ComNumber()));
  save(main, "main");

  const auto open = [&](auto dialog, const char* name, const std::function<void(decltype(*dialog)&)>& read) {
    dialog->SetCommn(&port);
    dialog->show();
    if (read) read(*dialog);
    save(*dialog, name);
  };
  open(std::make_unique<CSettingsDlg>(&main), "settings",
       [](CSettingsDlg& d) { d.SetupPage()->GetButton()->click(); });
  open(std::make_unique<CAlarmHistoryDlg>(&main), "history",
       [](CAlarmHistoryDlg& d) { d.RefreshButton()->click(); });
  open(std::make_unique<COperateHostDlg>(&main), "operate", nullptr);
  open(std::make_unique<CTimedArmDlg>(&main), "schedules",
       [](CTimedArmDlg& d) { d.LookupPage()->LookupButton()->click(); });
  open(std::make_unique<CAlarmPhoneDlg>(&main), "phones", [](CAlarmPhoneDlg& d) { d.ReadButton()->click(); });
  open(std::make_unique<CSensorsDlg>(&main), "sensors",
       [](CSensorsDlg& d) { d.ListPage()->CheckButton()->click(); });
  open(std::make_unique<CMmsSettingDlg>(&main), "mms", nullptr);
  open(std::make_unique<CSmartHomeDlg>(&main), "smarthome", nullptr);
  for (const std::string& text : messages.Texts()) ADD_FAILURE() << text;
  HostFound = 0;
}

}  // namespace
}  // namespace veyra
