// Keys typed into a widget as the keyboard would deliver them: a press with its text, then the
// release. The Qt built for Windows has no QtTest, and the window tests run there too.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace veyra::test {

inline void KeyClick(QWidget* widget, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// Each character as its own key, as a person types it.
inline void KeyClicks(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const int key = c.isLetterOrNumber() ? c.toUpper().unicode() : 0;
    KeyClick(widget, key, QString(c));
  }
}

}  // namespace veyra::test
