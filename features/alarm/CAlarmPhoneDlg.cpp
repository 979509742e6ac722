#include "features/alarm/CAlarmPhoneDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/Notifier.h"
#include "ui/QtText.h"

CAlarmPhoneDlg::CAlarmPhoneDlg(QWidget* parent) : CHostDialog(parent) {
  using veyra::alarm::PhoneSlotLabels;
  setWindowTitle(tr("Ввод телефонных номеров"));
  auto* rows = new QGridLayout;
  for (int i = 0; i < veyra::alarm::kPhoneSlotCount; ++i) {
    const std::string_view label = PhoneSlotLabels[i];
    QLineEdit* field = m_fields[i] = new QLineEdit(this);
    QCheckBox* check = m_checks[i] = new QCheckBox(tr("Изменить"), this);
    field->setReadOnly(true);
    field->setEnabled(false);
    // Room for a whole international number beside the box's label.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(16, QLatin1Char('0'))) + 12);
    rows->addWidget(new QLabel(TrText(label), this), i, 0);
    rows->addWidget(field, i, 1);
    rows->addWidget(check, i, 2);
    // Only a ticked slot is written, so only a ticked slot can be edited, and the others look it.
    connect(check, &QCheckBox::toggled, field, [field](bool on) {
      field->setReadOnly(!on);
      field->setEnabled(on);
    });
  }
  m_readButton = new QPushButton(tr("Проверить"), this);
  m_saveButton = new QPushButton(tr("Сохранить"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_readButton);
  buttons->addWidget(m_saveButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addLayout(buttons);

  connect(m_readButton, &QPushButton::clicked, this, &CAlarmPhoneDlg::OnRead);
  connect(m_saveButton, &QPushButton::clicked, this, &CAlarmPhoneDlg::OnSave);
}

void CAlarmPhoneDlg::OnRead() {
  using namespace veyra::alarm;
  m_readCount = 0;
  Link().Command(PhoneReadPayload(), kPhoneHostNotFoundText, kPhoneReadNoReplyText);
}

void CAlarmPhoneDlg::OnSave() {
  using namespace veyra::alarm;
  if (!veyra::DialogLink::HostReady(kPhoneHostNotFoundText)) return;
  m_save.Begin();
  for (int slot = 1; slot <= kPhoneSlotCount; ++slot) {
    if (!CheckBox(slot)->isChecked()) {
      m_save.Skip();
      continue;
    }
    const PhoneRequest request = m_save.StartWrite(slot, Field(slot)->text().toStdString());
    if (!request.payload) {
      veyra::Messages().Show(*request.refusal);
      continue;  // the other slots are still written
    }
    // The reply that ended the wait has been judged by OnReply when Send returns.
    if (const auto message = m_save.FinishWrite(Link().Send(*request.payload) ? 1 : 0))
      veyra::Messages().Show(*message);
  }
  if (const auto message = m_save.Finish()) veyra::Messages().Show(*message);
  // The boxes speak of failures only; a save that went well must say so too.
  if (m_save.TickedCount() == 0)
    ShowStatus(tr("Не отмечен ни один номер: записывать нечего"));
  else
    ShowStatus(tr("Записано номеров: %1 из %2").arg(m_save.WrittenCount()).arg(m_save.TickedCount()));
}

void CAlarmPhoneDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  using namespace veyra::alarm;
  m_save.OnReply(sentFrame, receivedFrame, Link().Acks());
  const std::optional<PhoneNumber> number = DecodePhoneFrame(receivedFrame);
  if (!number) return;
  // The field shows the host's number whether or not its slot is ticked.
  Field(number->slot)->setText(QString::fromStdString(number->text));
  // A number the field held already changes nothing the eye can see.
  ShowStatus(tr("Прочитано номеров: %1").arg(++m_readCount));
}
