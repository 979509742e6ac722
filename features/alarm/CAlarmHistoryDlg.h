// The host's alarm log as a table, read on "Обновить" one record frame at a time, and erased on
// "Удалить всё". The table can be copied and saved as CSV from its context menu.
#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <string_view>
#include <vector>

#include "features/alarm/HistoryCodec.h"
#include "features/alarm/HistoryCsvCodec.h"
#include "ui/CHostDialog.h"

class CGridCtrl;
class QAction;
class QMenu;
class QPushButton;

class CAlarmHistoryDlg : public CHostDialog {
  Q_OBJECT

 public:
  static constexpr int kInitialRowCount = 20;  // the header and 19 empty rows

  explicit CAlarmHistoryDlg(QWidget* parent = nullptr);

  // Rows of the table, the header included; the row of the last record placed (0: none yet).
  int RowCount() const { return m_rowCount; }
  int LastRow() const { return m_lastRow; }

  CGridCtrl* Grid() const { return m_grid; }
  QPushButton* EraseButton() const { return m_erase; }
  QPushButton* RefreshButton() const { return m_refresh; }
  QPushButton* CloseButton() const { return m_close; }
  QMenu* ContextMenu() const { return m_menu; }
  QAction* CopyAction() const { return m_copyAction; }
  QAction* SaveAction() const { return m_saveAction; }

  // The selected rows that hold a record, tab-separated, one line each.
  QString SelectedRowsText() const;
  void CopySelectedRows() const;
  // Every record row under the column titles, as UTF-8 CSV. False when the file cannot be written
  // (an existing file is then left as it was).
  bool SaveCsv(const QString& path) const;
  // Asks for the file, saves, and reports a failure.
  void SaveCsvAs();

 public slots:
  void OnRefresh();
  void OnErase();

 protected:
  // Record frames become rows in arrival order; anything else may be the erase's verdict.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  void ResetTable();
  void PlaceRecord(const veyra::alarm::HistoryRecord& record);
  // A read and an erase alike: refused without a host, started only on a quiet line once the
  // records of an earlier read have landed; false when refused.
  bool StartCommand();
  std::vector<veyra::alarm::HistoryRow> RecordRows(const QVector<int>& rows) const;
  void ShowContextMenu(const QPoint& pos);

  CGridCtrl* m_grid;
  QPushButton* m_erase;
  QPushButton* m_refresh;
  QPushButton* m_close;
  QMenu* m_menu;
  QAction* m_copyAction;
  QAction* m_saveAction;

  int m_rowCount = kInitialRowCount;
  int m_lastRow = 0;
};
