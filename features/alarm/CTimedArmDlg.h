// The timed arm/disarm dialog: a tab control with the look-up page and the setting page. The
// dialog sends nothing itself; it passes the port it was given to the page in front, so the host's
// replies reach the page whose button was pressed.
#pragma once

#include "link/HostLink.h"
#include "ui/CDialogBase.h"

class CTabCtrlEx;
class CTimedLookupPage;
class CTimedSettingPage;

class CTimedArmDlg : public CDialogBase, public veyra::HostLink {
  Q_OBJECT

 public:
  explicit CTimedArmDlg(QWidget* parent = nullptr);
  ~CTimedArmDlg() override;

  // Nothing is sent through the dialog's own link; a frame that reaches it is ignored.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

  CTabCtrlEx* Tabs() const { return m_tabs; }
  CTimedLookupPage* LookupPage() const { return m_lookupPage; }
  CTimedSettingPage* SettingPage() const { return m_settingPage; }

 private slots:
  void OnPageShown(int index, QWidget* page);

 private:
  CTabCtrlEx* m_tabs;
  CTimedLookupPage* m_lookupPage;
  CTimedSettingPage* m_settingPage;
};
