#include "features/alarm/COperateHostDlg.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "link/HostPort.h"
#include "link/Notifier.h"

using veyra::alarm::Operation;

COperateHostDlg::COperateHostDlg(QWidget* parent) : CDialogBase(parent) {
  setWindowTitle(QStringLiteral(" Работа с системой "));

  m_arm = new QPushButton(QStringLiteral("Активировать систему"), this);
  m_disarm = new QPushButton(QStringLiteral("Деактивировать систему"), this);
  m_partial = new QPushButton(QStringLiteral("Выборочный режим"), this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->setSpacing(12);
  for (QPushButton* button : {m_arm, m_disarm, m_partial}) {
    button->setMinimumHeight(32);
    layout->addWidget(button);
  }

  connect(m_arm, &QPushButton::clicked, this, &COperateHostDlg::OnArm);
  connect(m_disarm, &QPushButton::clicked, this, &COperateHostDlg::OnDisarm);
  connect(m_partial, &QPushButton::clicked, this, &COperateHostDlg::OnPartial);
  resize(280, 200);
}

COperateHostDlg::~COperateHostDlg() {
  ReleasePort();
}

QPushButton* COperateHostDlg::Button(Operation operation) const {
  switch (operation) {
    case Operation::Arm: return m_arm;
    case Operation::Disarm: return m_disarm;
    case Operation::Partial: return m_partial;
  }
  return nullptr;
}

void COperateHostDlg::OnArm() { Operate(Operation::Arm); }
void COperateHostDlg::OnDisarm() { Operate(Operation::Disarm); }
void COperateHostDlg::OnPartial() { Operate(Operation::Partial); }

void COperateHostDlg::Operate(Operation operation) {
  if (veyra::HostFound == 0) {
    veyra::Messages().Show(veyra::OwnedMessage(veyra::alarm::OperateHostNotFoundText(operation)));
    return;
  }
  ClearPayload();
  const veyra::Bytes payload = veyra::alarm::OperatePayload(operation);
  Payload.insert(Payload.end(), payload.begin(), payload.end());
  // The verdict on a reply comes from OnReply; here only the missing reply is reported.
  if (SendAndWait(Payload, -1, -1) == 0)
    veyra::Messages().Show(veyra::OwnedMessage(veyra::alarm::OperateNoReplyText(operation)));
}

void COperateHostDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  const auto message = veyra::alarm::OperateReplyMessage(
      sentFrame, receivedFrame,
      [this](const std::string& key, const veyra::Bytes& frame) { return CheckAck(key, frame); });
  if (message) veyra::Messages().Show(*message);
}
