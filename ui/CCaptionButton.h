// A button of the self-drawn caption bar: minimise or close.
#pragma once

#include <QAbstractButton>

class CCaptionButton : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Kind { Minimize, Close };

  CCaptionButton(Kind kind, QWidget* parent);
  Kind GetKind() const { return m_kind; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Kind m_kind;
  bool m_hover = false;
};
