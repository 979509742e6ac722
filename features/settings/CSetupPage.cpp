#include "features/settings/CSetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/Notifier.h"
#include "ui/DigitEdit.h"
#include "ui/QtText.h"

namespace codec = veyra::settings;

namespace {

QComboBox* NewList(QWidget* parent, const auto& texts) {
  auto* list = new QComboBox(parent);
  list->addItems(TrTextList(texts));
  list->setCurrentIndex(-1);  // nothing is known until the record is read
  return list;
}

}  // namespace

CSetupPage::CSetupPage(QWidget* parent) : CHostPage(parent) {
  m_siren = NewDigitEdit(this, codec::kDelayFieldMaxDigits);
  m_redial = new QLineEdit(this);
  m_armDelay = NewDigitEdit(this, codec::kDelayFieldMaxDigits);
  m_alarmDelay = NewDigitEdit(this, codec::kDelayFieldMaxDigits);
  for (QLineEdit* edit : {m_siren, m_armDelay, m_alarmDelay}) edit->setToolTip(tr("0-90 секунд"));
  m_mmsSize = NewList(this, codec::MmsSizeTexts);
  m_network = NewList(this, codec::NetworkModeTexts);
  m_signal = new QLabel(SignalUnreadText(), this);

  auto* fields = new QGridLayout;
  const auto addRow = [&](int row, const QString& label, QWidget* control, const QString& unit) {
    fields->addWidget(new QLabel(label, this), row, 0);
    fields->addWidget(control, row, 1);
    if (!unit.isEmpty()) fields->addWidget(new QLabel(unit, this), row, 2);
  };
  addRow(0, tr("Длительность сирены "), m_siren, tr(" минут"));
  addRow(1, tr("Количество повторов набора "), m_redial, tr("раз"));
  addRow(2, tr("Задержка постановки"), m_armDelay, tr("секунд"));
  addRow(3, tr("Задержка тревоги  "), m_alarmDelay, tr("секунд"));
  addRow(4, tr("Размер MMS изображения"), m_mmsSize, QString());
  addRow(5, tr("Режим связи"), m_network, QString());
  // The reading in words with its code is longer than any field: it takes the units' column too,
  // and a second line rather than losing its end.
  fields->addWidget(new QLabel(tr("Уровень сигнала:"), this), 6, 0);
  fields->addWidget(m_signal, 6, 1, 1, 2);
  m_signal->setWordWrap(true);
  fields->setRowStretch(7, 1);

  auto* options = new QVBoxLayout;
  for (std::size_t i = 0; i < codec::SetupOptions.size(); ++i) {
    m_options[i] = new QCheckBox(TrText(codec::SetupOptions[i].label), this);
    options->addWidget(m_options[i]);
  }
  options->addStretch(1);

  m_get = new QPushButton(tr("Получить"), this);
  m_save = new QPushButton(tr("Сохранить"), this);
  m_reset = new QPushButton(tr("Сбросить"), this);
  m_format = new QPushButton(tr("Форматировать microSD карту"), this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {m_get, m_save, m_reset, m_format}) buttons->addWidget(button);
  buttons->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(fields);
  columns->addSpacing(16);
  columns->addLayout(options);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);

  connect(m_get, &QPushButton::clicked, this, &CSetupPage::OnGet);
  connect(m_save, &QPushButton::clicked, this, &CSetupPage::OnSave);
  connect(m_reset, &QPushButton::clicked, this, &CSetupPage::OnReset);
  connect(m_format, &QPushButton::clicked, this, &CSetupPage::OnFormat);
}

QString CSetupPage::SignalShown(std::uint8_t signal) {
  // The code stays beside the words: it is what the host's own manual and a support call speak of.
  const codec::SignalReading reading = codec::ReadSignal(signal);
  const QString code = ToQt(codec::SignalText(signal));
  if (!reading.onScale) return tr("%1, код %2").arg(TrText(reading.words), code);
  return tr("%1 (%2 из %3), код %4")
      .arg(TrText(reading.words))
      .arg(reading.level)
      .arg(codec::kSignalScaleTop)
      .arg(code);
}

QCheckBox* CSetupPage::OptionBox(codec::SetupFlags mask) const {
  for (std::size_t i = 0; i < codec::SetupOptions.size(); ++i)
    if (codec::SetupOptions[i].mask == mask) return m_options[i];
  return nullptr;
}

codec::SetupControls CSetupPage::Controls() const {
  codec::SetupControls controls;
  for (std::size_t i = 0; i < codec::SetupOptions.size(); ++i)
    if (m_options[i]->checkState() == Qt::Checked) controls.checked |= codec::SetupOptions[i].mask;
  if (m_network->currentIndex() >= 0)
    controls.network = static_cast<codec::NetworkMode>(m_network->currentIndex());
  controls.siren = m_siren->text().toStdString();
  controls.redial = m_redial->text().toStdString();
  controls.armDelay = m_armDelay->text().toStdString();
  controls.alarmDelay = m_alarmDelay->text().toStdString();
  if (m_mmsSize->currentIndex() >= 0) controls.mmsSize = m_mmsSize->currentIndex();
  controls.unlistedMmsSize = m_unlistedMmsSize;
  return controls;
}

void CSetupPage::OnGet() {
  Link().Command(codec::SetupReadPayload(), codec::kSettingsHostNotFoundText, codec::kSetupReadNoReplyText);
}

void CSetupPage::OnSave() {
  if (!veyra::DialogLink::HostReady(codec::kSettingsHostNotFoundText)) return;
  // Until the record has been read the controls hold nothing of the host's: the first press
  // reads instead of writing blanks over its settings.
  if (m_configObtained == 0) {
    OnGet();
    return;
  }
  Link().Send(codec::SetupWritePayload(codec::SetupRecordFromControls(Controls())),
              codec::kSetupWriteNoReplyText);
}

void CSetupPage::SendConfirmed(std::string_view question, const veyra::Bytes& payload,
                               std::string_view noReplyText) {
  if (!veyra::DialogLink::HostReady(codec::kSettingsHostNotFoundText)) return;
  if (!veyra::Messages().Ask(veyra::OwnedMessage(question))) return;
  Link().Send(payload, noReplyText);
}

void CSetupPage::OnReset() {
  SendConfirmed(codec::kResetConfirmText, codec::ResetPayload(), codec::kResetNoReplyText);
}

void CSetupPage::OnFormat() {
  SendConfirmed(codec::kFormatConfirmText, codec::FormatPayload(), codec::kFormatNoReplyText);
}

void CSetupPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  if (const std::optional<codec::SetupReply> reply = codec::SetupReadReply(sentFrame, receivedFrame)) {
    Fill(*reply);
    return;
  }
  if (const auto message = codec::SetupReplyMessage(sentFrame, receivedFrame, Link().Acks()))
    veyra::Messages().Show(*message);
}

void CSetupPage::Fill(const codec::SetupReply& reply) {
  const codec::SetupControls controls = codec::SetupControlsFromRecord(reply.record);
  for (std::size_t i = 0; i < codec::SetupOptions.size(); ++i)
    m_options[i]->setChecked((controls.checked & codec::SetupOptions[i].mask) != 0);
  m_network->setCurrentIndex(controls.network ? static_cast<int>(*controls.network) : -1);
  m_siren->setText(ToQt(controls.siren));
  m_redial->setText(ToQt(controls.redial));
  m_armDelay->setText(ToQt(controls.armDelay));
  m_alarmDelay->setText(ToQt(controls.alarmDelay));
  m_mmsSize->setCurrentIndex(controls.mmsSize.value_or(-1));
  m_unlistedMmsSize = controls.unlistedMmsSize;
  m_signal->setText(SignalShown(reply.signal));
  // Only a record read makes the controls the host's: a stray frame answering the read must not
  // let the next save write blanks.
  m_configObtained = 1;
}

void CSetupPage::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
      event->accept();
      return;
    default:
      CHostPage::keyPressEvent(event);
  }
}
