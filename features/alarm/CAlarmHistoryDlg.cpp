#include "features/alarm/CAlarmHistoryDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "link/Notifier.h"
#include "ui/CGridCtrl.h"
#include "ui/QtText.h"

namespace codec = veyra::alarm;

CAlarmHistoryDlg::CAlarmHistoryDlg(QWidget* parent) : CHostDialog(parent) {
  setWindowTitle(tr("История тревог"));

  m_grid = new CGridCtrl(this);
  m_grid->SetColumnCount(static_cast<int>(codec::HistoryColumnTitles.size()));
  m_grid->SetHeaderTexts(TrTextList(codec::HistoryColumnTitles));
  m_grid->SetColumnProportions({50, 150, 260, 150, 150});
  m_grid->SetRowCount(kInitialRowCount);
  m_grid->setAccessibleName(tr("Записи журнала тревог"));

  m_erase = new QPushButton(tr("Удалить всё"), this);
  m_refresh = new QPushButton(tr("Обновить"), this);
  m_close = new QPushButton(tr("Закрыть"), this);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_erase);
  buttons->addStretch(1);
  buttons->addWidget(m_refresh);
  buttons->addStretch(1);
  buttons->addWidget(m_close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(m_grid, 1);
  layout->addLayout(buttons);

  connect(m_erase, &QPushButton::clicked, this, &CAlarmHistoryDlg::OnErase);
  connect(m_refresh, &QPushButton::clicked, this, &CAlarmHistoryDlg::OnRefresh);
  connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

  m_menu = new QMenu(this);
  m_copyAction = m_menu->addAction(tr("Копировать выделенные строки"), this, [this] { CopySelectedRows(); });
  m_saveAction = m_menu->addAction(tr("Сохранить таблицу в CSV..."), this, [this] { SaveCsvAs(); });
  m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_grid, &QWidget::customContextMenuRequested, this, &CAlarmHistoryDlg::ShowContextMenu);

  resize(760, 460);
}

void CAlarmHistoryDlg::ResetTable() {
  m_lastRow = 0;
  m_rowCount = kInitialRowCount;
  m_grid->ResetRows(m_rowCount);
}

// A read is answered by a stream of frames without an end marker. A command sent while such a
// stream is still coming would take the rest of it for its own answer: rows of the old read
// numbered among the new ones, or a record judged as the erase's acknowledgement. So the next
// command waits for a quiet line, and what did arrive is placed before the table starts again.
bool CAlarmHistoryDlg::StartCommand() {
  if (!veyra::DialogLink::HostReady(codec::kHistoryHostNotFoundText)) return false;
  Link().AwaitQuietLine();
  return true;
}

void CAlarmHistoryDlg::OnRefresh() {
  if (!StartCommand()) return;
  ResetTable();
  Link().Send(codec::HistoryReadPayload(), codec::kHistoryReadNoReplyText);
  m_grid->viewport()->update();
}

void CAlarmHistoryDlg::OnErase() {
  if (!veyra::DialogLink::HostReady(codec::kHistoryHostNotFoundText)) return;
  if (!veyra::Messages().Ask(veyra::OwnedMessage(codec::kHistoryEraseQuestionText))) return;
  if (!StartCommand()) return;
  Link().Send(codec::HistoryErasePayload(), codec::kHistoryEraseFailureText);
  // Emptied whatever the host answered: what it still holds is unknown until the next read.
  ResetTable();
}

void CAlarmHistoryDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  if (const auto record = codec::HistoryReadRecord(sentFrame, receivedFrame)) {
    PlaceRecord(*record);
    // The same events read again change nothing the eye can see.
    ShowStatus(tr("Прочитано записей: %1").arg(m_lastRow));
    return;
  }
  const auto message = codec::HistoryEraseReplyMessage(sentFrame, receivedFrame, Link().Acks());
  if (message) veyra::Messages().Show(*message);
}

void CAlarmHistoryDlg::PlaceRecord(const codec::HistoryRecord& record) {
  ++m_lastRow;
  if (m_lastRow >= m_rowCount) ++m_rowCount;
  if (m_grid->GetRowCount() != m_rowCount) m_grid->SetRowCount(m_rowCount);
  m_grid->SetRowTexts(m_lastRow, TrTextList(codec::HistoryRecordCells(record, m_lastRow)));
}

std::vector<codec::HistoryRow> CAlarmHistoryDlg::RecordRows(const QVector<int>& rows) const {
  std::vector<codec::HistoryRow> out;
  for (const int row : rows) {
    if (row < 1 || row > m_lastRow) continue;  // empty rows carry nothing worth handing on
    codec::HistoryRow cells;
    for (int column = 0; column < static_cast<int>(cells.size()); ++column)
      cells[column] = m_grid->GetItemText(row, column).toStdString();
    out.push_back(std::move(cells));
  }
  return out;
}

QString CAlarmHistoryDlg::SelectedRowsText() const {
  return QString::fromStdString(codec::HistoryTabText(RecordRows(m_grid->GetSelectedRows())));
}

void CAlarmHistoryDlg::CopySelectedRows() const {
  const QString text = SelectedRowsText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool CAlarmHistoryDlg::SaveCsv(const QString& path) const {
  QVector<int> rows;
  for (int row = 1; row <= m_lastRow; ++row) rows.push_back(row);
  const std::string csv = codec::HistoryCsv(RecordRows(rows));
  // Written beside the target and renamed over it, so a failed save never leaves half a file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void CAlarmHistoryDlg::SaveCsvAs() {
  QFileDialog dialog(this, tr("Сохранить журнал тревог"), QStringLiteral("alarm-history.csv"),
                     tr("CSV (*.csv);;Все файлы (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  if (!SaveCsv(dialog.selectedFiles().front())) veyra::ShowOwned(codec::kHistoryCsvSaveFailureText);
}

void CAlarmHistoryDlg::ShowContextMenu(const QPoint& pos) {
  m_copyAction->setEnabled(!RecordRows(m_grid->GetSelectedRows()).empty());
  m_saveAction->setEnabled(m_lastRow > 0);
  m_menu->popup(m_grid->viewport()->mapToGlobal(pos));
}
