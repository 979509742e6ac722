#include "features/settings/CSettingsDlg.h"

#include "features/settings/CClockPage.h"
#include "features/settings/CPasswordPage.h"
#include "features/settings/CSetupPage.h"

CSettingsDlg::CSettingsDlg(QWidget* parent)
    : CPagedDialog(parent),
      m_setupPage(new CSetupPage),
      m_passwordPage(new CPasswordPage),
      m_clockPage(new CClockPage) {
  setWindowTitle(tr("Настройки"));
  AddPage(m_setupPage, tr("Текущая конфигурация"), QStringLiteral("Obtain Setup Info"));
  AddPage(m_passwordPage, tr("Изменение пароля"), QStringLiteral("Change Passwords"));
  AddPage(m_clockPage, tr("Синхронизация часов"), QStringLiteral("Clock Sychronization"));
  resize(640, 380);
}
