// The second page of the settings dialog: the host's four-digit password changed.
#pragma once

#include "ui/CHostPage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class CPasswordPage : public CHostPage {
  Q_OBJECT

 public:
  explicit CPasswordPage(QWidget* parent = nullptr);

  QLineEdit* CurrentEdit() const { return m_current; }
  QLineEdit* NewEdit() const { return m_new; }
  QLineEdit* ConfirmEdit() const { return m_confirm; }
  QPushButton* SendButton() const { return m_send; }
  QCheckBox* ShowToggle() const { return m_show; }

 public slots:
  void OnSend();

 protected:
  // Every frame that reaches the page is the host's verdict on the change.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  QLineEdit* m_current;
  QLineEdit* m_new;
  QLineEdit* m_confirm;
  QCheckBox* m_show;
  QPushButton* m_send;
};
