// The base of a dialog page shown in a tab control: a child widget on a plain background, so the
// page does not repeat its dialog's gradient.
#pragma once

#include <QColor>
#include <QWidget>

class CPageBase : public QWidget {
  Q_OBJECT

 public:
  explicit CPageBase(QWidget* parent = nullptr);
  static QColor BackgroundColor() { return QColor(198, 211, 247); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
