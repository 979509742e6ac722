#include "features/alarm/CTimedSettingPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/Notifier.h"
#include "ui/DigitEdit.h"
#include "ui/QtText.h"

namespace {

veyra::alarm::TimedTime ReadTime(const QComboBox* day, const QLineEdit* hour, const QLineEdit* minute) {
  using veyra::alarm::TimedFieldInput;
  return {day->currentIndex(), TimedFieldInput(hour->text().toStdString()),
          TimedFieldInput(minute->text().toStdString())};
}

}  // namespace

CTimedSettingPage::CTimedSettingPage(QWidget* parent) : CHostPage(parent) {
  QWidget* arm = TimeFrame(tr("Время постановки"), m_armDay, m_armHour, m_armMinute);
  QWidget* disarm = TimeFrame(tr("Время снятия"), m_disarmDay, m_disarmHour, m_disarmMinute);

  m_groups = new QListWidget(this);
  m_groups->setSelectionMode(QAbstractItemView::SingleSelection);
  for (std::string_view name : veyra::alarm::TimedGroupNames) m_groups->addItem(TrText(name));
  m_groups->setCurrentRow(0);
  m_saveButton = new QPushButton(tr("Сохранить"), this);

  auto* groupColumn = new QVBoxLayout;
  groupColumn->addWidget(m_groups);
  groupColumn->addWidget(m_saveButton);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(arm);
  layout->addWidget(disarm);
  layout->addLayout(groupColumn);

  connect(m_saveButton, &QPushButton::clicked, this, &CTimedSettingPage::OnSave);
}

QWidget* CTimedSettingPage::TimeFrame(const QString& title, QComboBox*& day, QLineEdit*& hour,
                                      QLineEdit*& minute) {
  auto* frame = new QGroupBox(title, this);
  day = new QComboBox(frame);
  for (std::string_view name : veyra::alarm::TimedDayNames) day->addItem(TrText(name));
  day->setCurrentIndex(0);
  hour = NewDigitEdit(frame, 2);
  minute = NewDigitEdit(frame, 2);
  auto* form = new QFormLayout(frame);
  form->addRow(tr("Дата:"), day);
  form->addRow(tr("Час:"), hour);
  form->addRow(tr("Минута:"), minute);
  return frame;
}

veyra::alarm::TimedSchedule CTimedSettingPage::Schedule() const {
  veyra::alarm::TimedSchedule schedule;
  const QList<QListWidgetItem*> selected = m_groups->selectedItems();
  schedule.group = selected.isEmpty() ? 0 : m_groups->row(selected.front()) + 1;
  schedule.arm = ReadTime(m_armDay, m_armHour, m_armMinute);
  schedule.disarm = ReadTime(m_disarmDay, m_disarmHour, m_disarmMinute);
  return schedule;
}

void CTimedSettingPage::OnSave() {
  using namespace veyra::alarm;
  if (!veyra::DialogLink::HostReady(kTimedHostNotFoundText)) return;
  // An unselected group and a time that never comes are refused before anything is sent.
  const TimedRequest request = TimedSetPayload(Schedule());
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  Link().Send(*request.payload, kTimedSetFailureText);
}

void CTimedSettingPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  const auto message = veyra::alarm::TimedSetReplyMessage(sentFrame, receivedFrame, Link().Acks());
  if (message) veyra::Messages().Show(*message);
}
