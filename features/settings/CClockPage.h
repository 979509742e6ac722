// The third page of the settings dialog: the PC's time shown, and the host's clock set to it.
#pragma once

#include <functional>

#include "features/settings/ClockCodec.h"
#include "ui/CHostPage.h"

class QLineEdit;
class QPushButton;
class QTimer;

class CClockPage : public CHostPage {
  Q_OBJECT

 public:
  using Clock = std::function<veyra::settings::LocalTime()>;

  explicit CClockPage(QWidget* parent = nullptr);

  // The PC's local time; tests set a clock of their own.
  static veyra::settings::LocalTime LocalNow();
  void SetClock(Clock clock) { m_clock = std::move(clock); }

  // The time text follows the PC's clock while the page is in front; it stops when it is hidden.
  void OnPageShown() override;
  bool Ticking() const;

  QLineEdit* TimeField() const { return m_time; }
  QPushButton* SyncButton() const { return m_sync; }

 public slots:
  void OnSync();

 protected:
  void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) override;
  void hideEvent(QHideEvent* event) override;

 private:
  Clock m_clock = &CClockPage::LocalNow;
  void ShowTime();

  QLineEdit* m_time;
  QPushButton* m_sync;
  QTimer* m_tick;
};
