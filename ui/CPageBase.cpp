#include "ui/CPageBase.h"

#include <QPaintEvent>
#include <QPainter>

CPageBase::CPageBase(QWidget* parent) : QWidget(parent) {}

void CPageBase::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), BackgroundColor());
}
