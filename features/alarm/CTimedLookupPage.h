// The look-up page of the timed arm/disarm dialog: asks the host for the timers of all groups and
// shows one table row per group record, in the order the records arrive.
#pragma once

#include "features/alarm/TimedCodec.h"
#include "features/alarm/TimedReading.h"
#include "ui/CHostPage.h"

class CGridCtrl;
class QPushButton;

class CTimedLookupPage : public CHostPage {
  Q_OBJECT

 public:
  static constexpr int kInitialRowCount = 10;  // the header and nine record rows

  explicit CTimedLookupPage(QWidget* parent = nullptr);

  CGridCtrl* Grid() const { return m_grid; }
  QPushButton* LookupButton() const { return m_lookupButton; }
  int RowCount() const { return m_rowCount; }  // rows of the table, header included
  int LastRow() const { return m_lastRow; }    // row of the last record shown, 0 before the first
  // Where the records of each look-up are kept for the setting page; the page's own until the
  // dialog shares one.
  void ShareReading(TimedReading* reading) { m_reading = reading; }

 public slots:
  void OnLookup();

 protected:
  // Each record frame becomes the next row.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  void PlaceRecord(const veyra::alarm::TimedSchedule& schedule);

  CGridCtrl* m_grid;
  QPushButton* m_lookupButton;
  int m_rowCount = kInitialRowCount;
  int m_lastRow = 0;
  TimedReading m_ownReading;
  TimedReading* m_reading = &m_ownReading;
};
