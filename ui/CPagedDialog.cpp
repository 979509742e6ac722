#include "ui/CPagedDialog.h"

#include <QVBoxLayout>

#include "ui/CHostPage.h"
#include "ui/CTabCtrlEx.h"

CPagedDialog::CPagedDialog(QWidget* parent) : CDialogBase(parent), m_tabs(new CTabCtrlEx(this)) {
  SetStatusLineShown(true);  // its pages answer there
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  connect(m_tabs, &CTabCtrlEx::PageShown, this, [this](int index, QWidget*) { OnPageShown(index); });
}

void CPagedDialog::AddPage(CHostPage* page, const QString& caption, const QString& toolTip) {
  m_tabs->AddPage(page, caption, toolTip);
  m_pages.push_back(page);
}

CHostPage* CPagedDialog::PageInFront() const {
  const int index = m_tabs->currentIndex();
  return index >= 0 && index < static_cast<int>(m_pages.size()) ? m_pages[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

void CPagedDialog::SetCommn(veyra::HostPort* port) {
  m_port = port;
  if (CHostPage* page = PageInFront()) page->Link().SetCommn(port);
}

void CPagedDialog::OnPageShown(int index) {
  if (index < 0 || index >= static_cast<int>(m_pages.size())) return;
  CHostPage* page = m_pages[static_cast<std::size_t>(index)];
  ShowStatus(QString());  // the other page's answer is not this page's
  if (m_port) page->Link().SetCommn(m_port);
  page->OnPageShown();
}
