#include "features/alarm/CTimedLookupPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/HostPort.h"
#include "link/Notifier.h"
#include "ui/CGridCtrl.h"

namespace {

// A plain box: owned by the window, no caption of its own, so the application's name shows.
QStringList ToQt(const auto& texts) {
  QStringList list;
  for (const auto& text : texts) list << QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  return list;
}

}  // namespace

CTimedLookupPage::CTimedLookupPage(QWidget* parent)
    : CPageBase(parent), m_grid(new CGridCtrl(this)), m_lookupButton(new QPushButton(QStringLiteral("Проверить"), this)) {
  m_grid->SetColumnCount(static_cast<int>(veyra::alarm::TimedColumnTitles.size()));
  m_grid->SetRowCount(kInitialRowCount);
  m_grid->SetHeaderTexts(ToQt(veyra::alarm::TimedColumnTitles));
  m_grid->SetColumnProportions({35, 80, 200, 220});
  m_grid->SetCellAlignment(Qt::AlignCenter);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_lookupButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_grid);
  layout->addLayout(buttons);

  connect(m_lookupButton, &QPushButton::clicked, this, &CTimedLookupPage::OnLookup);
}

CTimedLookupPage::~CTimedLookupPage() {
  ReleasePort();
}

void CTimedLookupPage::OnLookup() {
  using namespace veyra::alarm;
  if (veyra::HostFound == 0) {
    veyra::ShowOwned(kTimedHostNotFoundText);
    return;
  }
  ClearPayload();
  m_lastRow = 0;
  m_rowCount = kInitialRowCount;
  const veyra::Bytes payload = TimedLookupPayload();
  Payload.insert(Payload.end(), payload.begin(), payload.end());
  if (SendAndWait(Payload, -1, -1) == 0) {
    m_grid->ResetRows(m_grid->GetRowCount());
    veyra::ShowOwned(kTimedLookupNoReplyText);
  }
}

void CTimedLookupPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  const std::optional<veyra::alarm::TimedSchedule> schedule =
      veyra::alarm::TimedLookupRecord(sentFrame, receivedFrame);
  if (!schedule) return;
  // Queued calls run in the order they were posted, so rows follow the arrival order.
  QMetaObject::invokeMethod(this, [this, record = *schedule] { PlaceRecord(record); }, Qt::QueuedConnection);
}

void CTimedLookupPage::PlaceRecord(const veyra::alarm::TimedSchedule& schedule) {
  ++m_lastRow;
  if (m_lastRow >= m_rowCount) ++m_rowCount;
  m_grid->SetRowCount(m_rowCount);
  m_grid->SetRowTexts(m_lastRow, ToQt(veyra::alarm::TimedRecordCells(schedule, m_lastRow)));
}
