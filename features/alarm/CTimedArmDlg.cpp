#include "features/alarm/CTimedArmDlg.h"

#include "features/alarm/CTimedLookupPage.h"
#include "features/alarm/CTimedSettingPage.h"

CTimedArmDlg::CTimedArmDlg(QWidget* parent)
    : CPagedDialog(parent), m_lookupPage(new CTimedLookupPage), m_settingPage(new CTimedSettingPage) {
  setWindowTitle(QStringLiteral("Время постановки/cнятия"));  // the "c" of "cнятия" is Latin
  AddPage(m_lookupPage, QStringLiteral("Расписание постановки/снятия"),
          QStringLiteral("Look up Timed arm/disarm"));
  AddPage(m_settingPage, QStringLiteral("Настройки времени постановки/снятия"),
          QStringLiteral("Setting Timed Arm/Disarm"));
  resize(640, 360);
}
