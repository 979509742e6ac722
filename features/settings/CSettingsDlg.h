// The settings dialog: system setup, password change and clock synchronisation pages.
#pragma once

#include "ui/CPagedDialog.h"

class CClockPage;
class CPasswordPage;
class CSetupPage;

class CSettingsDlg : public CPagedDialog {
  Q_OBJECT

 public:
  explicit CSettingsDlg(QWidget* parent = nullptr);

  CSetupPage* SetupPage() const { return m_setupPage; }
  CPasswordPage* PasswordPage() const { return m_passwordPage; }
  CClockPage* ClockPage() const { return m_clockPage; }

 private:
  CSetupPage* m_setupPage;
  CPasswordPage* m_passwordPage;
  CClockPage* m_clockPage;
};
