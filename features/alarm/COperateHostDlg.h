// Arm, disarm and the partial mode: three buttons, each sending one command and reporting the
// host's answer in a message box.
#pragma once

#include "features/alarm/OperateCodec.h"
#include "ui/CHostDialog.h"

class QPushButton;

class COperateHostDlg : public CHostDialog {
  Q_OBJECT

 public:
  explicit COperateHostDlg(QWidget* parent = nullptr);

  QPushButton* Button(veyra::alarm::Operation operation) const;

 public slots:
  void OnArm();
  void OnDisarm();
  void OnPartial();

 protected:
  // Shows the verdict on the command sent last.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  void Operate(veyra::alarm::Operation operation);

  QPushButton* m_arm;
  QPushButton* m_disarm;
  QPushButton* m_partial;
};
