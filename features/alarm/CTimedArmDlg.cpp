#include "features/alarm/CTimedArmDlg.h"

#include "features/alarm/CTimedLookupPage.h"
#include "features/alarm/CTimedSettingPage.h"

CTimedArmDlg::CTimedArmDlg(QWidget* parent)
    : CPagedDialog(parent), m_lookupPage(new CTimedLookupPage), m_settingPage(new CTimedSettingPage) {
  setWindowTitle(tr("Время постановки/cнятия"));  // the "c" of "cнятия" is Latin
  m_lookupPage->ShareReading(&m_reading);
  m_settingPage->ShareReading(&m_reading);
  AddPage(m_lookupPage, tr("Расписание постановки/снятия"), tr("Look up Timed arm/disarm"));
  AddPage(m_settingPage, tr("Настройки времени постановки/снятия"), tr("Setting Timed Arm/Disarm"));
  resize(640, 360);
}
