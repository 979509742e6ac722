// The alarm telephone numbers dialog: reads the host's twelve numbers and writes the ticked ones
// back, one command per number, judging each by its own acknowledgement.
#pragma once

#include <array>

#include "features/alarm/PhoneCodec.h"
#include "ui/CHostDialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class CAlarmPhoneDlg : public CHostDialog {
  Q_OBJECT

 public:
  explicit CAlarmPhoneDlg(QWidget* parent = nullptr);

  QLineEdit* Field(int slot) const { return m_fields.at(slot - 1); }     // slot 1 to 12
  QCheckBox* CheckBox(int slot) const { return m_checks.at(slot - 1); }  // slot 1 to 12
  QPushButton* ReadButton() const { return m_readButton; }
  QPushButton* SaveButton() const { return m_saveButton; }
  int SavingSlot() const { return m_save.SavingSlot(); }  // the slot whose write started last
  int LastSlotOk() const { return m_save.LastSlotOk(); }

 public slots:
  void OnRead();
  void OnSave();

 protected:
  // Number frames go to their fields; a reply to a write is judged for the save.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;

 private:
  std::array<QLineEdit*, veyra::alarm::kPhoneSlotCount> m_fields{};
  std::array<QCheckBox*, veyra::alarm::kPhoneSlotCount> m_checks{};
  QPushButton* m_readButton = nullptr;
  QPushButton* m_saveButton = nullptr;
  veyra::alarm::PhoneSaveTracker m_save;
  int m_readCount = 0;  // number frames since the last read
};
