#include "features/settings/CPasswordPage.h"

#include <QCheckBox>
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
  m_current = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  m_new = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  m_confirm = NewDigitEdit(this, static_cast<int>(codec::kPasswordLength));
  // Masked, as the host's password is typed with the owner looking on; shown on request, for the
  // installer who reads the digits back to the owner.
  m_show = new QCheckBox(tr("Показать пароли"), this);
  for (QLineEdit* field : {m_current, m_new, m_confirm}) {
    field->setEchoMode(QLineEdit::Password);
    connect(m_show, &QCheckBox::toggled, field,
            [field](bool shown) { field->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password); });
  }
  m_send = new QPushButton(tr("Отправить"), this);

  auto* form = new QFormLayout;
  form->addRow(tr("Текущий пароль:"), m_current);
  form->addRow(tr("Новый пароль:"), m_new);
  form->addRow(tr("Подтвердить новый пароль:"), m_confirm);
  form->addRow(QString(), m_show);
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
