#include "features/alarm/COperateHostDlg.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "link/Notifier.h"

using veyra::alarm::Operation;

COperateHostDlg::COperateHostDlg(QWidget* parent) : CHostDialog(parent) {
  setWindowTitle(tr(" Работа с системой "));

  m_arm = new QPushButton(tr("Активировать систему"), this);
  m_disarm = new QPushButton(tr("Деактивировать систему"), this);
  m_partial = new QPushButton(tr("Выборочный режим"), this);

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

QPushButton* COperateHostDlg::Button(Operation operation) const {
  switch (operation) {
    case Operation::Arm:
      return m_arm;
    case Operation::Disarm:
      return m_disarm;
    case Operation::Partial:
      return m_partial;
  }
  return nullptr;
}

void COperateHostDlg::OnArm() { Operate(Operation::Arm); }
void COperateHostDlg::OnDisarm() { Operate(Operation::Disarm); }
void COperateHostDlg::OnPartial() { Operate(Operation::Partial); }

void COperateHostDlg::Operate(Operation operation) {
  // The verdict on a reply comes from OnReply; here only the missing reply is reported.
  Link().Command(veyra::alarm::OperatePayload(operation), veyra::alarm::OperateHostNotFoundText(operation),
                 veyra::alarm::OperateNoReplyText(operation));
}

void COperateHostDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  const auto message = veyra::alarm::OperateReplyMessage(sentFrame, receivedFrame, Link().Acks());
  if (message) veyra::Messages().Show(*message);
}
