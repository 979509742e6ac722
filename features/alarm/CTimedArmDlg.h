// The timed arm/disarm dialog: the look-up page and the setting page.
#pragma once

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
  CTimedLookupPage* m_lookupPage;
  CTimedSettingPage* m_settingPage;
};
