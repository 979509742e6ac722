#include "features/alarm/CTimedLookupPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CGridCtrl.h"
#include "ui/QtText.h"

CTimedLookupPage::CTimedLookupPage(QWidget* parent)
    : CHostPage(parent), m_grid(new CGridCtrl(this)), m_lookupButton(new QPushButton(tr("Проверить"), this)) {
  m_grid->SetColumnCount(static_cast<int>(veyra::alarm::TimedColumnTitles.size()));
  m_grid->SetRowCount(kInitialRowCount);
  m_grid->SetHeaderTexts(TrTextList(veyra::alarm::TimedColumnTitles));
  m_grid->SetColumnProportions({35, 80, 200, 220});
  m_grid->SetCellAlignment(Qt::AlignCenter);
  m_grid->setAccessibleName(tr("Расписания групп"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_lookupButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_grid);
  layout->addLayout(buttons);

  connect(m_lookupButton, &QPushButton::clicked, this, &CTimedLookupPage::OnLookup);
}

void CTimedLookupPage::OnLookup() {
  using namespace veyra::alarm;
  if (!veyra::DialogLink::HostReady(kTimedHostNotFoundText)) return;
  Link().DeliverPending();  // rows of an earlier look-up land before the count starts again
  m_lastRow = 0;
  m_rowCount = kInitialRowCount;
  m_reading->Clear();
  if (!Link().Send(TimedLookupPayload(), kTimedLookupNoReplyText)) m_grid->ResetRows(m_grid->GetRowCount());
}

void CTimedLookupPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  const std::optional<veyra::alarm::TimedSchedule> schedule =
      veyra::alarm::TimedLookupRecord(sentFrame, receivedFrame);
  if (!schedule) return;
  m_reading->Take(*schedule);
  PlaceRecord(*schedule);
  // The same schedules read again change nothing the eye can see.
  ShowStatus(tr("Прочитано групп: %1").arg(m_lastRow));
}

void CTimedLookupPage::PlaceRecord(const veyra::alarm::TimedSchedule& schedule) {
  ++m_lastRow;
  if (m_lastRow >= m_rowCount) ++m_rowCount;
  m_grid->SetRowCount(m_rowCount);
  QStringList cells;
  for (const std::string& cell : veyra::alarm::TimedRecordCells(schedule, m_lastRow))
    cells << TrNamesIn(cell, veyra::alarm::TimedDayNames);  // "Понедельник,08:30"
  m_grid->SetRowTexts(m_lastRow, cells);
}
