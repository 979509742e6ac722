// The look-up page of the timed arm/disarm dialog: asks the host for the timers of all groups and
// shows one table row per group record, in the order the records arrive.
#pragma once

#include "features/alarm/TimedCodec.h"
#include "link/HostLink.h"
#include "ui/CPageBase.h"

class CGridCtrl;
class QPushButton;

class CTimedLookupPage : public CPageBase, public veyra::HostLink {
  Q_OBJECT

 public:
  static constexpr int kInitialRowCount = 10;  // the header and nine record rows

  explicit CTimedLookupPage(QWidget* parent = nullptr);
  ~CTimedLookupPage() override;

  // Reader thread: decodes a record and hands it to the GUI thread.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

  CGridCtrl* Grid() const { return m_grid; }
  QPushButton* LookupButton() const { return m_lookupButton; }
  int RowCount() const { return m_rowCount; }  // rows of the table, header included
  int LastRow() const { return m_lastRow; }    // row of the last record shown, 0 before the first

 public slots:
  void OnLookup();

 private:
  void PlaceRecord(const veyra::alarm::TimedSchedule& schedule);

  CGridCtrl* m_grid;
  QPushButton* m_lookupButton;
  // Touched on the GUI thread only; records reach it there in arrival order.
  int m_rowCount = kInitialRowCount;
  int m_lastRow = 0;
};
