// The host's alarm log as a table, read on "Обновить" one record frame at a time, and erased on
// "Удалить всё". The table can be copied and saved as CSV from its context menu.
#pragma once

#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

#include "features/alarm/HistoryCodec.h"
#include "features/alarm/HistoryCsvCodec.h"
#include "link/HostLink.h"
#include "ui/CDialogBase.h"

class CGridCtrl;
class QAction;
class QMenu;
class QPushButton;

class CAlarmHistoryDlg : public CDialogBase, public veyra::HostLink {
  Q_OBJECT

 public:
  static constexpr int kInitialRowCount = 20;  // the header and 19 empty rows

  explicit CAlarmHistoryDlg(QWidget* parent = nullptr);
  ~CAlarmHistoryDlg() override;

  // Runs on the port's reader thread: decodes there, places records on the GUI thread.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

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

 private:
  void ResetTable();
  void PlaceRecord(unsigned generation, const veyra::alarm::HistoryRecord& record);
  void WaitForQuietLine();
  // A read and an erase alike: refused without a host, started only on a quiet line, and a new
  // generation; false when refused.
  bool StartCommand();
  // Sends the payload and shows the text when the host never answers.
  void SendCommand(const veyra::Bytes& payload, std::string_view noReplyText);
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
  // Advanced on each read and erase: records decoded for an earlier one and still on their way
  // to the GUI thread are dropped instead of landing among the new rows.
  std::atomic<unsigned> m_generation{0};
  std::atomic<std::int64_t> m_lastFrameMs{0};  // steady clock, when the last frame arrived
};
