#include "features/alarm/CTimedArmDlg.h"

#include <QVBoxLayout>

#include "features/alarm/CTimedLookupPage.h"
#include "features/alarm/CTimedSettingPage.h"
#include "link/HostPort.h"
#include "ui/CTabCtrlEx.h"

CTimedArmDlg::CTimedArmDlg(QWidget* parent)
    : CDialogBase(parent),
      m_tabs(new CTabCtrlEx(this)),
      m_lookupPage(new CTimedLookupPage),
      m_settingPage(new CTimedSettingPage) {
  setWindowTitle(QStringLiteral("Время постановки/cнятия"));  // the "c" of "cнятия" is Latin
  m_tabs->AddPage(m_lookupPage, QStringLiteral("Расписание постановки/снятия"),
                  QStringLiteral("Look up Timed arm/disarm"));
  m_tabs->AddPage(m_settingPage, QStringLiteral("Настройки времени постановки/снятия"),
                  QStringLiteral("Setting Timed Arm/Disarm"));
  m_tabs->setCurrentIndex(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  resize(640, 360);
  connect(m_tabs, &CTabCtrlEx::PageShown, this, &CTimedArmDlg::OnPageShown);
}

CTimedArmDlg::~CTimedArmDlg() {
  // The pages go with the tab control; none of them may be left owning the port.
  m_lookupPage->ReleasePort();
  m_settingPage->ReleasePort();
}

void CTimedArmDlg::OnReply(const veyra::Bytes&, const veyra::Bytes&) {}

void CTimedArmDlg::OnPageShown(int, QWidget* page) {
  auto* link = dynamic_cast<veyra::HostLink*>(page);
  if (link && Port()) link->SetCommn(Port());
}
