// The first page of the settings dialog: the host's setup record read into the controls and
// written back from them, the signal level, and the reset and format commands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "features/settings/SetupCodec.h"
#include "ui/CHostPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CSetupPage : public CHostPage {
  Q_OBJECT

 public:
  explicit CSetupPage(QWidget* parent = nullptr);

  // 1 once a setup record has been read; from then on "Сохранить" writes.
  int ConfigObtained() const { return m_configObtained; }

  // The controls as the codec sees them.
  veyra::settings::SetupControls Controls() const;

  QLineEdit* SirenEdit() const { return m_siren; }
  QLineEdit* RedialEdit() const { return m_redial; }
  QLineEdit* ArmDelayEdit() const { return m_armDelay; }
  QLineEdit* AlarmDelayEdit() const { return m_alarmDelay; }
  QComboBox* MmsSizeList() const { return m_mmsSize; }
  QComboBox* NetworkList() const { return m_network; }
  QLabel* SignalLabel() const { return m_signal; }
  // The signal label's text before a record has been read, and for a signal byte read.
  static QString SignalUnreadText() { return tr("Не прочитан"); }
  static QString SignalShown(std::uint8_t signal);
  QCheckBox* OptionBox(veyra::settings::SetupFlags mask) const;
  QPushButton* GetButton() const { return m_get; }
  QPushButton* SaveButton() const { return m_save; }
  QPushButton* ResetButton() const { return m_reset; }
  QPushButton* FormatButton() const { return m_format; }

 public slots:
  void OnGet();
  void OnSave();
  void OnReset();
  void OnFormat();

 protected:
  // A record fills the controls; the reply to a write, reset or format earns its message.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;
  // Enter and Escape do nothing here: a stray key must not close the dialog over unsaved settings.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Fill(const veyra::settings::SetupReply& reply);
  // Sends a command that cannot be undone once the person at the PC has said yes.
  void SendConfirmed(std::string_view question, const veyra::Bytes& payload, std::string_view noReplyText);

  QLineEdit* m_siren;
  QLineEdit* m_redial;
  QLineEdit* m_armDelay;
  QLineEdit* m_alarmDelay;
  QComboBox* m_mmsSize;
  QComboBox* m_network;
  QLabel* m_signal;
  std::array<QCheckBox*, veyra::settings::SetupOptions.size()> m_options{};
  QPushButton* m_get;
  QPushButton* m_save;
  QPushButton* m_reset;
  QPushButton* m_format;

  int m_configObtained = 0;
  // The size byte last read when the list has no entry for it.
  std::optional<std::uint8_t> m_unlistedMmsSize;
};
