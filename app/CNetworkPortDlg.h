// Asks for a serial port reached over the network, by the URL other serial tools take:
// tcp://HOST:PORT or rfc2217://HOST:PORT.
#pragma once

#include "ui/CDialogBase.h"

class QLineEdit;
class QPushButton;

class CNetworkPortDlg : public CDialogBase {
  Q_OBJECT

 public:
  explicit CNetworkPortDlg(QWidget* parent = nullptr);
  // The URL as accepted, without the blanks around it.
  QString Url() const;
  QLineEdit* Field() const { return m_field; }
  QPushButton* OkButton() const { return m_ok; }

 protected:
  void OnEnter() override;

 private slots:
  // Closes only on a URL that names a host and a port; else says what it takes and stays, so a
  // typing error never reaches the network.
  void AcceptWellFormed();

 private:
  QLineEdit* m_field;
  QPushButton* m_ok;
};
