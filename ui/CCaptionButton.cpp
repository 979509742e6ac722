#include "ui/CCaptionButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <algorithm>

CCaptionButton::CCaptionButton(Kind kind, QWidget* parent) : QAbstractButton(parent), m_kind(kind) {
  // The caption buttons are for the mouse; the keyboard has the system menu.
  setFocusPolicy(Qt::NoFocus);
  setToolTip(kind == Kind::Close ? tr("Закрыть") : tr("Свернуть"));
}

QSize CCaptionButton::sizeHint() const { return QSize(22, 18); }

void CCaptionButton::enterEvent(QEnterEvent* event) {
  m_hover = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CCaptionButton::leaveEvent(QEvent* event) {
  m_hover = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CCaptionButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

  QColor top, bottom;
  if (m_kind == Kind::Close) {
    top = m_hover ? QColor(250, 120, 95) : QColor(232, 96, 70);
    bottom = m_hover ? QColor(215, 45, 25) : QColor(185, 40, 20);
  } else {
    top = m_hover ? QColor(120, 175, 255) : QColor(70, 130, 250);
    bottom = m_hover ? QColor(30, 80, 240) : QColor(15, 55, 210);
  }
  if (isDown()) std::swap(top, bottom);
  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.setBrush(fill);
  p.drawRoundedRect(face, 3, 3);

  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  const QPointF c = face.center() + (isDown() ? QPointF(0.5, 0.5) : QPointF());
  const qreal r = std::min(face.width(), face.height()) * 0.22;
  if (m_kind == Kind::Close) {
    p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
  } else {
    p.drawLine(c + QPointF(-r, r), c + QPointF(r, r));
  }
}
