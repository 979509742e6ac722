// Message boxes and the wait cursor for the GUI. Show() may be called from any thread: the message is
// handed to the GUI thread and the boxes appear there one at a time, in the order they were asked
// for. Nothing here blocks: a box is application-modal but shown without a nested event loop, so a
// caller on the GUI thread goes on at once and a later box waits until the earlier one is closed.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>

#include "link/Notifier.h"
#include "ui/CMessageDialog.h"

class QWidget;

class QtNotifier final : public QObject, public veyra::Notifier {
  Q_OBJECT

 public:
  // The caption of a box that has none of its own: the program's name, the same in every language.
  static QString ApplicationName() { return QStringLiteral("Veyra Setup"); }

  explicit QtNotifier(QObject* parent = nullptr);
  ~QtNotifier() override;

  void Show(const veyra::Message& message) override;
  // A Yes/No box, modal, No by default and on Escape; earlier boxes stay where they are.
  bool Ask(const veyra::Message& question) override;
  void BeginWait() override;
  void EndWait() override;
  // Lets the GUI thread paint and take posted messages while it waits for the host; user input is
  // held back. Does nothing on other threads.
  void KeepAlive() override;

  // The owner of an owned box when no dialog of ours is active (the main window).
  void SetDefaultOwner(QWidget* owner) { m_defaultOwner = owner; }

  CMessageDialog* CurrentBox() const { return m_current; }
  int PendingCount() const { return static_cast<int>(m_pending.size()); }
  int WaitDepth() const { return m_waitDepth; }

 signals:
  void BoxShown(CMessageDialog* box);  // the box is on screen; tests close it from here

 private:
  void Enqueue(const veyra::Message& message);
  void ShowNext();
  QWidget* FindOwner() const;
  bool OnGuiThread() const;

  std::deque<veyra::Message> m_pending;
  QPointer<CMessageDialog> m_current;
  QPointer<QWidget> m_defaultOwner;
  int m_waitDepth = 0;
};
