#include "ui/QtNotifier.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "ui/CDialogBase.h"
#include "ui/QtText.h"

namespace {

QMessageBox::Icon ToBoxIcon(veyra::Icon icon) {
  switch (icon) {
    case veyra::Icon::Information:
      return QMessageBox::Information;
    case veyra::Icon::Warning:
      return QMessageBox::Warning;
    case veyra::Icon::Error:
      return QMessageBox::Critical;
    case veyra::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

CDialogBase* DialogOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto* dialog = qobject_cast<CDialogBase*>(w); dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

}  // namespace

QtNotifier::QtNotifier(QObject* parent) : QObject(parent) {}

QtNotifier::~QtNotifier() {
  if (m_waitDepth > 0 && OnGuiThread()) QApplication::restoreOverrideCursor();
}

bool QtNotifier::OnGuiThread() const {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void QtNotifier::Show(const veyra::Message& message) {
  // Queued even on the GUI thread, so that a message asked for there cannot overtake one that the
  // reader thread posted a moment earlier.
  QMetaObject::invokeMethod(
      this, [this, message] { Enqueue(message); }, Qt::QueuedConnection);
}

void QtNotifier::Enqueue(const veyra::Message& message) {
  m_pending.push_back(message);
  ShowNext();
}

QWidget* QtNotifier::FindOwner() const {
  if (CDialogBase* dialog = DialogOf(QApplication::activeModalWidget())) return dialog;
  if (CDialogBase* dialog = DialogOf(QApplication::activeWindow())) return dialog;
  return m_defaultOwner.data();
}

void QtNotifier::ShowNext() {
  if (m_current || m_pending.empty()) return;
  const veyra::Message message = std::move(m_pending.front());
  m_pending.pop_front();

  const QString caption = message.caption.empty() ? ApplicationName() : TrText(message.caption);
  QWidget* owner = message.owned ? FindOwner() : nullptr;
  auto* box = new CMessageDialog(ToBoxIcon(message.icon), caption, TrText(message.text),
                                 CMessageDialog::Kind::Message, owner);
  if (!message.detail.empty()) box->setInformativeText(TrText(message.detail));
  box->setWindowModality(Qt::ApplicationModal);
  connect(box, &QDialog::finished, box, &QObject::deleteLater);
  // The next box appears once this one is gone, however it went (closed, or taken down with its owner).
  connect(box, &QObject::destroyed, this, [this] {
    m_current = nullptr;
    QMetaObject::invokeMethod(this, &QtNotifier::ShowNext, Qt::QueuedConnection);
  });
  m_current = box;
  box->show();
  emit BoxShown(box);
}

bool QtNotifier::Ask(const veyra::Message& question) {
  if (!OnGuiThread()) return false;
  const QString caption = question.caption.empty() ? ApplicationName() : TrText(question.caption);
  CMessageDialog box(QMessageBox::Question, caption, TrText(question.text), CMessageDialog::Kind::Question,
                     question.owned ? FindOwner() : nullptr);
  if (!question.detail.empty()) box.setInformativeText(TrText(question.detail));
  // Announced once the box is up and taking input, so a test can answer it.
  QPointer<CMessageDialog> shown(&box);
  QMetaObject::invokeMethod(
      this,
      [this, shown] {
        if (shown) emit BoxShown(shown);
      },
      Qt::QueuedConnection);
  return box.exec() == QDialog::Accepted;
}

void QtNotifier::BeginWait() {
  if (!OnGuiThread()) return;
  if (m_waitDepth++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtNotifier::EndWait() {
  if (!OnGuiThread() || m_waitDepth == 0) return;
  if (--m_waitDepth == 0) QApplication::restoreOverrideCursor();
}

void QtNotifier::KeepAlive() {
  if (!OnGuiThread()) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
