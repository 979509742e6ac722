// The sensors dialog: the list of enrolled devices and the page that learns and deletes them.
#pragma once

#include "ui/CPagedDialog.h"

class CSensorEditPage;
class CSensorListPage;

class CSensorsDlg : public CPagedDialog {
  Q_OBJECT

 public:
  explicit CSensorsDlg(QWidget* parent = nullptr);

  CSensorListPage* ListPage() const { return m_listPage; }
  CSensorEditPage* EditPage() const { return m_editPage; }

 private:
  CSensorListPage* m_listPage;
  CSensorEditPage* m_editPage;
};
