// The About box of the system menu.
#pragma once

#include "ui/CDialogBase.h"

class QPushButton;

class CAboutDlg : public CDialogBase {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
  QPushButton* ConfirmButton() const { return m_confirm; }

 private:
  QPushButton* m_confirm;
};
