// Runs the event loop until a condition holds or the time is up; never waits longer than asked.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace veyra::test {

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  if (condition()) return true;
  QDeadlineTimer deadline(timeoutMs);
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (condition() || deadline.hasExpired()) loop.quit();
  });
  poll.start(2);
  loop.exec();
  return condition();
}

// Lets every event already posted be delivered, without waiting for anything new.
inline void DeliverPosted() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace veyra::test
