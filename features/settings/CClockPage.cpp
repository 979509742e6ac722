#include "features/settings/CClockPage.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/Notifier.h"
#include "ui/QtText.h"

namespace codec = veyra::settings;

CClockPage::CClockPage(QWidget* parent) : CHostPage(parent) {
  m_time = new QLineEdit(this);
  m_time->setReadOnly(true);
  m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(tr("0000-00-00 00:00:00 Понедельник")) +
                          16);
  m_sync = new QPushButton(tr("Синхронизировать"), this);
  // Four looks a second: a once-a-second timer drifts against the clock and now and then skips a
  // second on the screen, which reads as a fault of the PC's clock.
  m_tick = new QTimer(this);
  m_tick->setInterval(250);
  connect(m_tick, &QTimer::timeout, this, &CClockPage::ShowTime);

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Время на компьютере:"), this));
  row->addWidget(m_time, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_sync);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
  layout->addStretch(1);

  connect(m_sync, &QPushButton::clicked, this, &CClockPage::OnSync);
}

codec::LocalTime CClockPage::LocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  // Qt counts Monday 1 to Sunday 7; the codec counts from Sunday 0.
  return {date.year(), date.month(),  date.day(),   date.dayOfWeek() % 7,
          time.hour(), time.minute(), time.second()};
}

void CClockPage::OnPageShown() {
  ShowTime();
  m_tick->start();
}

bool CClockPage::Ticking() const { return m_tick->isActive(); }

void CClockPage::hideEvent(QHideEvent* event) {
  m_tick->stop();
  CHostPage::hideEvent(event);
}

void CClockPage::ShowTime() {
  const QString text = TrNamesIn(codec::ClockText(m_clock()), codec::WeekdayNames);
  if (text != m_time->text()) m_time->setText(text);
}

void CClockPage::OnSync() {
  if (!veyra::DialogLink::HostReady(codec::kClockHostNotFoundText)) return;
  // The time at the press, not the one in the field: the page may have stood open for a while.
  Link().Send(codec::ClockPayload(m_clock()), codec::kClockFailureText);
}

void CClockPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  veyra::Messages().Show(codec::ClockReplyMessage(sentFrame, receivedFrame, Link().Acks()));
}
