#include "app/TestScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>

#include "ui/CMessageDialog.h"

namespace {

constexpr int kPollMs = 100;
constexpr int kStepLimitMs = 30000;

// A modal dialog in front of the main window (itself run modal), else whatever is active.
QWidget* WindowInFront() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

void Say(const QString& line) {
  std::fprintf(stderr, "veyra-setup: test script: %s\n", line.toUtf8().constData());
  std::fflush(stderr);
}

}  // namespace

bool TestScript::StartFromEnvironment(QObject* parent) {
  const QString path = qEnvironmentVariable("VEYRA_TEST_SCRIPT");
  if (path.isEmpty()) return true;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QStringList steps;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QString step = line.section(QLatin1Char('#'), 0, 0).trimmed();
    if (!step.isEmpty()) steps << step;
  }
  new TestScript(steps, parent);
  return true;
}

TestScript::TestScript(QStringList steps, QObject* parent) : QObject(parent), m_steps(std::move(steps)) {
  connect(&m_timer, &QTimer::timeout, this, &TestScript::Tick);
  m_timer.start(kPollMs);
}

void TestScript::Tick() {
  if (m_next >= m_steps.size()) {
    m_timer.stop();
    return;
  }
  const QString step = m_steps[m_next];
  const QString verb = step.section(QLatin1Char(' '), 0, 0);
  const QString text = step.section(QLatin1Char(' '), 1);
  // A command in flight pumps events while it waits for the host; a step run then would picture
  // or press a window before its answer came.
  if (!QApplication::overrideCursor() && TryStep(verb, text)) {
    Say(QStringLiteral("%1 done: %2").arg(m_next + 1).arg(step));
    ++m_next;
    m_waitedMs = 0;
    return;
  }
  m_waitedMs += kPollMs;
  if (m_waitedMs >= kStepLimitMs) {
    QWidget* front = WindowInFront();
    Say(QStringLiteral("%1 not done in %2 s: %3 (in front: %4)")
            .arg(m_next + 1)
            .arg(kStepLimitMs / 1000)
            .arg(step, front ? front->windowTitle() : QStringLiteral("nothing")));
    std::_Exit(3);
  }
}

bool TestScript::TryStep(const QString& verb, const QString& text) {
  QWidget* front = WindowInFront();
  if (verb == QStringLiteral("wait")) {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible())
        for (const QLabel* label : window->findChildren<QLabel*>())
          if (label->isVisible() && label->text().contains(text)) return true;
    return false;
  }
  if (!front) return false;
  if (verb == QStringLiteral("click") || verb == QStringLiteral("answer")) {
    // A press that asks nothing or answers with a plain message leaves nothing to answer.
    if (verb == QStringLiteral("answer") && !qobject_cast<CMessageDialog*>(front)) return true;
    for (QAbstractButton* button : front->findChildren<QAbstractButton*>())
      if (button->window() == front && button->isVisible() && button->isEnabled() && button->text() == text) {
        // Queued: a click that opens a modal window returns only once that is closed, and a
        // timer does not fire again while its own handler runs, so the steps for that window
        // could never run from inside this one.
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        return true;
      }
    return verb == QStringLiteral("answer");
  }
  if (verb == QStringLiteral("tab")) {
    for (QTabWidget* tabs : front->findChildren<QTabWidget*>())
      if (tabs->window() == front && tabs->isVisible())
        for (int i = 0; i < tabs->count(); ++i)
          if (tabs->isTabEnabled(i) && tabs->tabText(i) == text) {
            tabs->setCurrentIndex(i);
            return true;
          }
    return false;
  }
  if (verb == QStringLiteral("type")) {
    const auto fields = front->findChildren<QLineEdit*>();
    if (fields.isEmpty()) return false;
    fields.first()->setText(text);
    return true;
  }
  if (verb == QStringLiteral("shot")) return front->grab().save(text);
  if (verb == QStringLiteral("close")) {
    if (auto* dialog = qobject_cast<QDialog*>(front))
      QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    else
      QMetaObject::invokeMethod(front, &QWidget::close, Qt::QueuedConnection);
    return true;
  }
  Say(QStringLiteral("no such step: ") + verb);
  std::_Exit(3);
}
