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

void ShowTime(const veyra::alarm::TimedTime& time, QComboBox* day, QLineEdit* hour, QLineEdit* minute) {
  // A day code the host should not hold shows as "Выключить", as the look-up table shows it.
  day->setCurrentIndex(time.day >= 0 && time.day < day->count() ? time.day : 0);
  hour->setText(QStringLiteral("%1").arg(time.hour, 2, 10, QLatin1Char('0')));
  minute->setText(QStringLiteral("%1").arg(time.minute, 2, 10, QLatin1Char('0')));
}

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
  m_groups->setAccessibleName(tr("Группа"));
  m_saveButton = new QPushButton(tr("Сохранить"), this);

  auto* groupColumn = new QVBoxLayout;
  groupColumn->addWidget(m_groups);
  groupColumn->addWidget(m_saveButton);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(arm);
  layout->addWidget(disarm);
  layout->addLayout(groupColumn);

  connect(m_saveButton, &QPushButton::clicked, this, &CTimedSettingPage::OnSave);
  connect(m_groups, &QListWidget::itemSelectionChanged, this, &CTimedSettingPage::FillFromReading);
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

void CTimedSettingPage::OnPageShown() {
  if (!m_reading->Taken() && veyra::HostFound != 0) ReadTimers();
  FillFromReading();
}

bool CTimedSettingPage::ReadTimers() {
  using namespace veyra::alarm;
  m_reading->Clear();
  if (!Link().Send(TimedLookupPayload(), kTimedLookupNoReplyText)) return false;
  // The answer is a frame per group without an end marker: all of it is in before a field is
  // filled or the set command goes out.
  Link().AwaitQuietLine();
  return true;
}

void CTimedSettingPage::FillFromReading() {
  const QList<QListWidgetItem*> selected = m_groups->selectedItems();
  if (!m_reading->Taken() || selected.isEmpty()) return;
  if (const auto schedule = m_reading->Group(m_groups->row(selected.front()) + 1)) {
    ShowTime(schedule->arm, m_armDay, m_armHour, m_armMinute);
    ShowTime(schedule->disarm, m_disarmDay, m_disarmHour, m_disarmMinute);
    return;
  }
  for (QComboBox* day : {m_armDay, m_disarmDay}) day->setCurrentIndex(0);
  for (QLineEdit* field : {m_armHour, m_armMinute, m_disarmHour, m_disarmMinute}) field->clear();
}

void CTimedSettingPage::OnSave() {
  using namespace veyra::alarm;
  if (!veyra::DialogLink::HostReady(kTimedHostNotFoundText)) return;
  // Without the host's timers the fields hold nothing of the host's, and the set command would
  // write them over both of the group's timers: the first press reads instead.
  if (!m_reading->Taken()) {
    if (ReadTimers()) FillFromReading();
    return;
  }
  // An unselected group and a time that never comes are refused before anything is sent.
  const TimedRequest request = TimedSetPayload(Schedule());
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  m_sent = Schedule();
  Link().Send(*request.payload, kTimedSetFailureText);
}

void CTimedSettingPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  using namespace veyra::alarm;
  if (sentFrame.size() > veyra::kFrameCmdOffset && sentFrame[veyra::kFrameCmdOffset] == kTimedLookupCommand) {
    if (const std::optional<TimedSchedule> schedule = TimedLookupRecord(sentFrame, receivedFrame))
      m_reading->Take(*schedule);
    return;
  }
  const auto message = TimedSetReplyMessage(sentFrame, receivedFrame, Link().Acks());
  if (!message) return;
  // What the host now holds for the group, for the next time it is chosen.
  if (message->text == kTimedSetSuccessText) m_reading->Take(m_sent);
  veyra::Messages().Show(*message);
}
