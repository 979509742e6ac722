// How a dialog is moved: by its caption with the mouse, or with the arrow keys after the system
// menu's Move.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "ui/CDialogBase.h"

void CDialogBase::StartKeyboardMove() {
  m_keyboardMove = true;
  m_moveOrigin = pos();
  setCursor(Qt::SizeAllCursor);
  grabKeyboard();
}

void CDialogBase::EndKeyboardMove(bool keepPosition) {
  if (!m_keyboardMove) return;
  m_keyboardMove = false;
  releaseKeyboard();
  unsetCursor();
  if (!keepPosition) move(m_moveOrigin);
}

bool CDialogBase::HandleKeyboardMove(QKeyEvent* event) {
  const int step = (event->modifiers() & Qt::ControlModifier) ? 1 : 8;
  switch (event->key()) {
    case Qt::Key_Left:
      move(pos() + QPoint(-step, 0));
      break;
    case Qt::Key_Right:
      move(pos() + QPoint(step, 0));
      break;
    case Qt::Key_Up:
      move(pos() + QPoint(0, -step));
      break;
    case Qt::Key_Down:
      move(pos() + QPoint(0, step));
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EndKeyboardMove(true);
      break;
    case Qt::Key_Escape:
      EndKeyboardMove(false);
      break;
    default:
      return false;
  }
  event->accept();
  return true;
}

void CDialogBase::mousePressEvent(QMouseEvent* event) {
  if (m_keyboardMove) EndKeyboardMove(true);
  const QPoint at = event->position().toPoint();
  if (!CaptionRect().contains(at)) {
    QDialog::mousePressEvent(event);
    return;
  }
  event->accept();
  if (event->button() == Qt::RightButton) {
    ShowSystemMenu(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (CaptionIconRect().contains(at)) {
    ShowSystemMenu();
    return;
  }
  // Follow the mouse ourselves where a program may place its windows (X11: there, openbox moved
  // a window by its own position again on the first motion of a system move). Elsewhere, as on
  // Wayland, the system moves it.
  if (QGuiApplication::platformName() != QLatin1String("xcb") && windowHandle() &&
      windowHandle()->startSystemMove())
    return;
  m_dragging = true;
  m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CDialogBase::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void CDialogBase::mouseReleaseEvent(QMouseEvent* event) {
  if (m_dragging && event->button() == Qt::LeftButton) {
    m_dragging = false;
    event->accept();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}
