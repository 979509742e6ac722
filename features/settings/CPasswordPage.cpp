#include "features/settings/CPasswordPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/settings/PasswordCodec.h"
#include "link/Notifier.h"
#include "ui/DigitEdit.h"

namespace codec = veyra::settings;

CPasswordPage::CPasswordPage(QWidget* parent) : CHostPage(parent) {
  // Shown as typed: the installer reads the digits back to the owner.
  m_current = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  m_new = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  m_confirm = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  m_send = new QPushButton(tr("Отправить"), this);

  auto* form = new QFormLayout;
  form->addRow(tr("Текущий пароль:"), m_current);
  form->addRow(tr("Новый пароль:"), m_new);
  form->addRow(tr("Подтвердить новый пароль:"), m_confirm);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_send);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addStretch(1);

  connect(m_send, &QPushButton::clicked, this, &CPasswordPage::OnSend);
}

void CPasswordPage::OnSend() {
  if (!veyra::DialogLink::HostReady(codec::kPasswordHostNotFoundText)) return;
  const codec::PasswordRequest request = codec::PasswordChangePayload(
      m_current->text().toStdString(), m_new->text().toStdString(), m_confirm->text().toStdString());
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  Link().Send(*request.payload, codec::kPasswordNoReplyText);
}

void CPasswordPage::OnReply(const veyra::Bytes&, const veyra::Bytes& receivedFrame) {
  veyra::Messages().Show(codec::PasswordReplyMessage(receivedFrame));
}
