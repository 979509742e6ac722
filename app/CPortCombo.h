// The port list: it reads the ports again each time it is opened, so an adapter plugged in after
// start-up appears without a restart.
#pragma once

#include <QComboBox>
#include <functional>

class CPortCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit CPortCombo(QWidget* parent = nullptr) : QComboBox(parent) {}
  void SetBeforePopup(std::function<void()> refresh) { m_refresh = std::move(refresh); }
  void showPopup() override {
    if (m_refresh) m_refresh();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_refresh;
};
