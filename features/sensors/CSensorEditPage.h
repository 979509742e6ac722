// The second page of the sensors dialog: learns a device code, deletes one device or every
// device of a kind, sets the wireless siren's ID. Nothing is read back; the list page shows
// what the host holds.
#pragma once

#include <string_view>

#include "features/sensors/SensorEditCodec.h"
#include "ui/CHostPage.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTimer;

class CSensorEditPage : public CHostPage {
  Q_OBJECT

 public:
  explicit CSensorEditPage(QWidget* parent = nullptr);

  QComboBox* LearnTypeList() const { return m_learnType; }
  QComboBox* LearnModeList() const { return m_learnMode; }
  QLineEdit* ZoneEdit() const { return m_zone; }
  QPushButton* LearnButton() const { return m_learn; }
  QComboBox* DeleteKindList() const { return m_deleteKind; }
  QLineEdit* NumberEdit() const { return m_number; }
  QPushButton* DeleteButton() const { return m_delete; }
  QPushButton* DeleteAllRemotesButton() const { return m_deleteAllRemotes; }
  QPushButton* DeleteAllSensorsButton() const { return m_deleteAllSensors; }
  QPushButton* DeleteAllDoorbellsButton() const { return m_deleteAllDoorbells; }
  QLineEdit* SirenIdEdit() const { return m_sirenId; }
  QPushButton* SirenIdButton() const { return m_setSirenId; }
  // How long the status line counts down after an acknowledged learn; tests shorten it.
  void SetListenSeconds(int seconds) { m_listenSeconds = seconds; }
  bool Listening() const;  // the countdown runs

 public slots:
  void OnLearn();
  void OnDelete();
  void OnDeleteAll(veyra::sensors::DeleteAllKind kind);
  void OnSetSirenId();

 protected:
  // Only an acknowledged learn command earns a message: the request to trigger the device.
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;
  // Enter learns, as the page's default button, unless another button has the focus.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Refused without a host; shows a refusal, or sends with the command's own no-reply text.
  void SendRequest(const veyra::sensors::SensorRequest& request);
  // The host listens for the device now; no frame tells when it stops, so the line counts down.
  void StartListening();
  void ShowListening();

  QTimer* m_listenTimer;
  int m_listenSeconds = veyra::sensors::kLearnListenSeconds;
  int m_secondsLeft = 0;

  QComboBox* m_learnType;
  QComboBox* m_learnMode;
  QLineEdit* m_zone;
  QPushButton* m_learn;
  QComboBox* m_deleteKind;
  QLineEdit* m_number;
  QPushButton* m_delete;
  QPushButton* m_deleteAllRemotes;
  QPushButton* m_deleteAllSensors;
  QPushButton* m_deleteAllDoorbells;
  QLineEdit* m_sirenId;
  QPushButton* m_setSirenId;
};
