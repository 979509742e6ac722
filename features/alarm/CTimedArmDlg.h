// The timed arm/disarm dialog: the look-up page and the setting page.
#pragma once

#include "features/alarm/TimedReading.h"
#include "ui/CPagedDialog.h"

class CTimedLookupPage;
class CTimedSettingPage;

class CTimedArmDlg : public CPagedDialog {
  Q_OBJECT

 public:
  explicit CTimedArmDlg(QWidget* parent = nullptr);

  CTimedLookupPage* LookupPage() const { return m_lookupPage; }
  CTimedSettingPage* SettingPage() const { return m_settingPage; }

 private:
  // The look-up page's last reading, from which the setting page fills a group's fields.
  TimedReading m_reading;
  CTimedLookupPage* m_lookupPage;
  CTimedSettingPage* m_settingPage;
};
