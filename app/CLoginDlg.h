// The password window of the host search.
#pragma once

#include "ui/CDialogBase.h"

class QLineEdit;
class QPushButton;

class CLoginDlg : public CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kPasswordDigits = 4;

  explicit CLoginDlg(QWidget* parent = nullptr);
  // The password the field holds: trimmed, leading decimal digits, 0 when there are none.
  int Password() const;
  QLineEdit* Field() const { return m_field; }
  QPushButton* OkButton() const { return m_ok; }

 protected:
  void OnEnter() override;  // Enter confirms, as in any password prompt

 private slots:
  // Closes with the password only when the field holds all four digits; else says so and stays.
  void AcceptFourDigits();

 private:
  QLineEdit* m_field;
  QPushButton* m_ok;
};
