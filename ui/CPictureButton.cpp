#include "ui/CPictureButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace {
constexpr int kLabelFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
}

CPictureButton::CPictureButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(false);  // the dialog's background shows around the picture
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);  // fills its cell of a tile grid
}

void CPictureButton::SetIcons(const QIcon& normal, const QIcon& hover) {
  m_normal = normal;
  m_hoverIcon = hover;
  update();
}

void CPictureButton::SetIcons(const QString& normalPath, const QString& hoverPath) {
  SetIcons(QIcon(normalPath), hoverPath.isEmpty() ? QIcon() : QIcon(hoverPath));
}

void CPictureButton::SetPictureSize(const QSize& size) {
  m_pictureSize = size;
  updateGeometry();
  update();
}

QIcon CPictureButton::CurrentIcon() const {
  return (m_hover && !m_hoverIcon.isNull()) ? m_hoverIcon : m_normal;
}

int CPictureButton::LabelHeight(int width) const {
  if (text().isEmpty()) return 0;
  return fontMetrics().boundingRect(QRect(0, 0, std::max(1, width), 1000), kLabelFlags, text()).height();
}

QSize CPictureButton::sizeHint() const {
  int width = m_pictureSize.width();
  if (!text().isEmpty()) {
    // Room for the label on one line, but not much wider than the picture: long labels wrap.
    const int textWidth = fontMetrics().horizontalAdvance(text()) + 4;
    width = std::max(width, std::min(textWidth, m_pictureSize.width() * 2));
  }
  const int label = LabelHeight(width);
  return QSize(width, m_pictureSize.height() + (label ? kSpacing + label : 0));
}

// With a label the picture keeps to the top, so tiles in one row line up however their labels wrap;
// without one it is centred.
QRect CPictureButton::PictureRect() const {
  const int top = text().isEmpty() ? std::max(0, (height() - m_pictureSize.height()) / 2) : 0;
  return QRect(QPoint((width() - m_pictureSize.width()) / 2, top), m_pictureSize);
}

QRect CPictureButton::LabelRect() const {
  if (text().isEmpty()) return QRect();
  const QRect picture = PictureRect();
  const int top = picture.bottom() + 1 + kSpacing;
  return QRect(0, top, width(), std::max(0, height() - top));
}

void CPictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect picture = PictureRect();
  if (isDown()) picture.translate(1, 1);
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  CurrentIcon().paint(&painter, picture, Qt::AlignCenter, mode);

  const QRect label = LabelRect();
  if (!label.isNull()) {
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(label, kLabelFlags, text());
  }
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = label.isNull()
                      ? picture.adjusted(-2, -2, 2, 2)
                      : fontMetrics().boundingRect(label, kLabelFlags, text()).adjusted(-2, 0, 2, 1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CPictureButton::SetHover(bool hover) {
  if (m_hover == hover) return;
  m_hover = hover;
  update();
  emit HoverChanged(hover);
}

void CPictureButton::enterEvent(QEnterEvent* event) {
  SetHover(true);
  QAbstractButton::enterEvent(event);
}

void CPictureButton::leaveEvent(QEvent* event) {
  SetHover(false);
  QAbstractButton::leaveEvent(event);
}

// A button hidden or disabled under the pointer gets no leave event.
void CPictureButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) SetHover(false);
  QAbstractButton::changeEvent(event);
}

void CPictureButton::hideEvent(QHideEvent* event) {
  SetHover(false);
  QAbstractButton::hideEvent(event);
}
