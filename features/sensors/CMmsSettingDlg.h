// The MMS settings dialog: the host's MMS parameters written one row at a time, and a test MMS
// sent to a phone number. Nothing is read back from the host.
#pragma once

#include "ui/CHostDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class CMmsSettingDlg : public CHostDialog {
  Q_OBJECT

 public:
  explicit CMmsSettingDlg(QWidget* parent = nullptr);

  QLineEdit* ApnEdit() const { return m_apn; }
  QLineEdit* UserEdit() const { return m_user; }
  QLineEdit* PasswordEdit() const { return m_password; }
  QLineEdit* UrlEdit() const { return m_url; }
  QLineEdit* IpEdit() const { return m_ip; }
  QLineEdit* PortEdit() const { return m_port; }
  QComboBox* WapList() const { return m_wap; }
  QLineEdit* PhoneEdit() const { return m_phone; }
  QPushButton* SetApnButton() const { return m_setApn; }
  QPushButton* SetUserButton() const { return m_setUser; }
  QPushButton* SetUrlButton() const { return m_setUrl; }
  QPushButton* SetGatewayButton() const { return m_setGateway; }
  QPushButton* SendTestButton() const { return m_sendTest; }

 public slots:
  void OnSetApn();
  void OnSetUser();
  void OnSetUrl();
  void OnSetGateway();
  void OnSendTest();

 protected:
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  // Sends what the builder makes of the fields, or shows why it made nothing.
  template <class Build>
  void SendBuilt(Build build);

  QLineEdit* m_apn;
  QLineEdit* m_user;
  QLineEdit* m_password;
  QLineEdit* m_url;
  QLineEdit* m_ip;
  QLineEdit* m_port;
  QComboBox* m_wap;
  QLineEdit* m_phone;
  QPushButton* m_setApn;
  QPushButton* m_setUser;
  QPushButton* m_setUrl;
  QPushButton* m_setGateway;
  QPushButton* m_sendTest;
};
