// A dialog of tabbed pages that talk to the host. The dialog sends nothing itself: the port it
// is given goes to the page in front, so the host's replies reach the page whose button was
// pressed, and that page is told it has come to the front.
#pragma once

#include <vector>

#include "ui/CDialogBase.h"

class CHostPage;
class CTabCtrlEx;

namespace veyra {
class HostPort;
}

class CPagedDialog : public CDialogBase {
  Q_OBJECT

 public:
  explicit CPagedDialog(QWidget* parent = nullptr);

  void SetCommn(veyra::HostPort* port);
  CTabCtrlEx* Tabs() const { return m_tabs; }
  CHostPage* PageInFront() const;

 protected:
  // The dialog takes the page; the first page added is in front.
  void AddPage(CHostPage* page, const QString& caption, const QString& toolTip);

 private:
  void OnPageShown(int index);

  CTabCtrlEx* m_tabs;
  std::vector<CHostPage*> m_pages;
  veyra::HostPort* m_port = nullptr;
};
