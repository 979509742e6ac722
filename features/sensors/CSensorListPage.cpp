#include "features/sensors/CSensorListPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/CGridCtrl.h"
#include "ui/QtText.h"

namespace codec = veyra::sensors;

CSensorListPage::CSensorListPage(QWidget* parent)
    : CHostPage(parent),
      m_grid(new CGridCtrl(this)),
      m_filter(new QComboBox(this)),
      m_check(new QPushButton(tr("Проверить"), this)) {
  m_grid->SetColumnCount(static_cast<int>(codec::SensorColumnTitles.size()));
  m_grid->SetRowCount(kInitialRowCount);
  m_grid->SetHeaderTexts(TrTextList(codec::SensorColumnTitles));
  m_grid->SetColumnProportions({150, 115, 55, 140, 130});
  m_grid->SetCellAlignment(Qt::AlignCenter);
  m_grid->setAccessibleName(tr("Датчики 3G камеры"));

  m_filter->addItems(TrTextList(codec::SensorFilterTexts));
  m_filter->setCurrentIndex(codec::kFilterAll);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(tr("Название датчика:"), this));
  controls->addWidget(m_filter);
  controls->addStretch(1);
  controls->addWidget(m_check);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_grid, 1);
  layout->addLayout(controls);

  connect(m_check, &QPushButton::clicked, this, &CSensorListPage::OnCheck);
}

void CSensorListPage::OnCheck() {
  if (!veyra::DialogLink::HostReady(codec::kSensorsHostNotFoundText)) return;
  // The host sends one frame per device and no end marker: what is still coming of an earlier
  // listing lands there before the count starts again, not among the new rows.
  Link().AwaitQuietLine();
  m_lastRow = 0;
  m_rowCount = kInitialRowCount;
  Link().Send(codec::SensorListPayload(), codec::kSensorListNoReplyText);
}

void CSensorListPage::OnReply(const veyra::Bytes&, const veyra::Bytes& receivedFrame) {
  // A list without a selection filters nothing: dropping every device would read as an empty host.
  const int filter = std::max(m_filter->currentIndex(), codec::kFilterAll);
  if (const auto cells = codec::SensorListRow(receivedFrame, filter)) PlaceRow(*cells);
  BlankBelowLastRow();
  // Said for a frame the filter hides too: the host did answer, and no row reads as its answer.
  ShowStatus(tr("Показано устройств: %1").arg(m_lastRow));
}

void CSensorListPage::PlaceRow(const codec::SensorCells& cells) {
  ++m_lastRow;
  if (m_lastRow >= m_rowCount) ++m_rowCount;
  // The first device of a listing also cuts off the rows a longer earlier listing had added.
  m_grid->SetRowCount(m_rowCount);
  m_grid->SetRowTexts(m_lastRow, TrTextList(cells));
}

// Rows an earlier, longer listing left below the new devices would read as devices of this one,
// whatever the filter.
void CSensorListPage::BlankBelowLastRow() {
  const QStringList empty(static_cast<int>(codec::SensorColumnTitles.size()), QString());
  for (int row = m_lastRow + 1; row < m_grid->GetRowCount(); ++row) m_grid->SetRowTexts(row, empty);
}
