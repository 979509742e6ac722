// The setting page of the timed arm/disarm dialog: the arm and disarm time of one group, sent to
// the host in one command.
#pragma once

#include "features/alarm/TimedCodec.h"
#include "features/alarm/TimedReading.h"
#include "ui/CHostPage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CTimedSettingPage : public CHostPage {
  Q_OBJECT

 public:
  explicit CTimedSettingPage(QWidget* parent = nullptr);

  QComboBox* ArmDay() const { return m_armDay; }
  QLineEdit* ArmHour() const { return m_armHour; }
  QLineEdit* ArmMinute() const { return m_armMinute; }
  QComboBox* DisarmDay() const { return m_disarmDay; }
  QLineEdit* DisarmHour() const { return m_disarmHour; }
  QLineEdit* DisarmMinute() const { return m_disarmMinute; }
  QListWidget* Groups() const { return m_groups; }
  QPushButton* SaveButton() const { return m_saveButton; }

  // The schedule the controls describe; group 0 when none is selected.
  veyra::alarm::TimedSchedule Schedule() const;

  // The look-up page's last reading, shared by the dialog; the page's own until then.
  void ShareReading(TimedReading* reading) { m_reading = reading; }
  // Fills the chosen group's fields from the reading, taking one first when there is none.
  void OnPageShown() override;

 public slots:
  void OnSave();

 protected:
  // Shows the host's verdict on the last set command; takes the records of its own look-up.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  QWidget* TimeFrame(const QString& title, QComboBox*& day, QLineEdit*& hour, QLineEdit*& minute);
  // Asks the host for every group's timers and waits for the whole answer; true when it answered.
  bool ReadTimers();
  // The chosen group's day, hour and minute fields as the reading has them; the opening state for
  // a group the host did not report; untouched while there is no reading.
  void FillFromReading();

  QComboBox* m_armDay = nullptr;
  QLineEdit* m_armHour = nullptr;
  QLineEdit* m_armMinute = nullptr;
  QComboBox* m_disarmDay = nullptr;
  QLineEdit* m_disarmHour = nullptr;
  QLineEdit* m_disarmMinute = nullptr;
  QListWidget* m_groups = nullptr;
  QPushButton* m_saveButton = nullptr;
  TimedReading m_ownReading;
  TimedReading* m_reading = &m_ownReading;
  veyra::alarm::TimedSchedule m_sent;  // the schedule of the last set command
};
