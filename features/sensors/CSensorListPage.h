// The first page of the sensors dialog: asks the host for every device it has learnt and shows
// one row per device the type filter lets through, in the order the frames arrive.
#pragma once

#include "features/sensors/SensorListCodec.h"
#include "ui/CHostPage.h"

class CGridCtrl;
class QComboBox;
class QPushButton;

class CSensorListPage : public CHostPage {
  Q_OBJECT

 public:
  static constexpr int kInitialRowCount = 9;  // the header and eight device rows

  explicit CSensorListPage(QWidget* parent = nullptr);

  CGridCtrl* Grid() const { return m_grid; }
  QComboBox* FilterList() const { return m_filter; }
  QPushButton* CheckButton() const { return m_check; }
  int RowCount() const { return m_rowCount; }  // rows of the table, header included
  int LastRow() const { return m_lastRow; }    // row of the last device placed, 0 before the first

 public slots:
  void OnCheck();

 protected:
  // Judged by the received frame's own command, under the filter selected when it is handled.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  void PlaceRow(const veyra::sensors::SensorCells& cells);
  void BlankBelowLastRow();

  CGridCtrl* m_grid;
  QComboBox* m_filter;
  QPushButton* m_check;
  int m_rowCount = kInitialRowCount;
  int m_lastRow = 0;
};
