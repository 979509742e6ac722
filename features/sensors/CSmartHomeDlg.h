// The smart-home dialog: the system ID and the single- and double-trigger codes of nine
// channels, one command a button; any answer from the host is shown as taken.
#pragma once

#include <optional>

#include "ui/CHostDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class CSmartHomeDlg : public CHostDialog {
  Q_OBJECT

 public:
  explicit CSmartHomeDlg(QWidget* parent = nullptr);

  QLineEdit* IdEdit() const { return m_id; }
  QPushButton* SetIdButton() const { return m_setId; }
  QComboBox* SingleList() const { return m_single; }
  QPushButton* SendSingleButton() const { return m_sendSingle; }
  QComboBox* DoubleList() const { return m_double; }
  QPushButton* SendDoubleButton() const { return m_sendDouble; }

 public slots:
  void OnSetId();
  void OnSendSingle();
  void OnSendDouble();

 protected:
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  void SendTrigger(const std::optional<veyra::Bytes>& payload);

  QLineEdit* m_id;
  QPushButton* m_setId;
  QComboBox* m_single;
  QPushButton* m_sendSingle;
  QComboBox* m_double;
  QPushButton* m_sendDouble;
};
