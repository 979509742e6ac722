#include "features/sensors/CSmartHomeDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "features/sensors/SmartHomeCodec.h"
#include "link/Notifier.h"
#include "ui/DigitEdit.h"
#include "ui/QtText.h"

namespace codec = veyra::sensors;

CSmartHomeDlg::CSmartHomeDlg(QWidget* parent) : CHostDialog(parent) {
  setWindowTitle(tr("Умный дом"));

  m_id = NewDigitEdit(this, codec::kSmartHomeIdDigits);
  m_setId = new QPushButton(tr("Установить ID"), this);
  m_single = new QComboBox(this);
  m_single->addItems(ToQtList(codec::SingleTriggerTexts));
  m_single->setCurrentIndex(0);
  m_sendSingle = new QPushButton(tr("Послать код"), this);
  m_double = new QComboBox(this);
  m_double->addItems(ToQtList(codec::DoubleTriggerTexts));
  m_double->setCurrentIndex(0);
  m_sendDouble = new QPushButton(tr("Послать код"), this);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(16, 12, 16, 16);
  layout->setHorizontalSpacing(12);
  layout->setVerticalSpacing(12);
  const auto addRow = [&](int row, const QString& label, QWidget* field, QPushButton* button) {
    layout->addWidget(new QLabel(label, this), row, 0);
    layout->addWidget(field, row, 1);
    layout->addWidget(button, row, 2);
    button->setMinimumHeight(28);
  };
  addRow(0, tr("ID Системы:"), m_id, m_setId);
  addRow(1, tr("Одинарный триггер:"), m_single, m_sendSingle);
  addRow(2, tr("Двойной триггер:"), m_double, m_sendDouble);
  layout->setColumnStretch(1, 1);

  connect(m_setId, &QPushButton::clicked, this, &CSmartHomeDlg::OnSetId);
  connect(m_sendSingle, &QPushButton::clicked, this, &CSmartHomeDlg::OnSendSingle);
  connect(m_sendDouble, &QPushButton::clicked, this, &CSmartHomeDlg::OnSendDouble);
  resize(420, 170);
}

void CSmartHomeDlg::OnSetId() {
  if (!veyra::DialogLink::HostReady(codec::kSmartHomeHostNotFoundText)) return;
  const codec::SmartHomeRequest request = codec::SmartHomeIdPayload(m_id->text().toStdString());
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  Link().Send(*request.payload, codec::kSmartHomeNoReplyText);
}

void CSmartHomeDlg::OnSendSingle() { SendTrigger(codec::SingleTriggerPayload(m_single->currentIndex())); }

void CSmartHomeDlg::OnSendDouble() { SendTrigger(codec::DoubleTriggerPayload(m_double->currentIndex())); }

void CSmartHomeDlg::SendTrigger(const std::optional<veyra::Bytes>& payload) {
  if (!veyra::DialogLink::HostReady(codec::kSmartHomeHostNotFoundText)) return;
  // The lists are never left without a selection; should one be, there is no code to send.
  if (!payload) return;
  Link().Send(*payload, codec::kSmartHomeNoReplyText);
}

void CSmartHomeDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  if (const auto message = codec::SmartHomeReplyMessage(sentFrame, receivedFrame))
    veyra::Messages().Show(*message);
}
