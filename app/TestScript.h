// Drives the program from a file of steps, for tests that run the whole program from outside where
// no accessibility bridge reaches its widgets (tools/test-windows.sh, under Wine). VEYRA_TEST_SCRIPT
// names the file; one step a line, blank lines and lines from # on skipped:
//   click TEXT   clicks the enabled button or tile of the window in front whose text is TEXT
//   answer TEXT  clicks the button TEXT of the message or question box in front; done at once when
//                no box with such a button is in front
//   tab TEXT     brings forward the page of the window in front whose tab reads TEXT
//   type TEXT    puts TEXT into the first field of the window in front
//   wait TEXT    waits until a label of any window shown reads TEXT somewhere in it
//   shot FILE    saves a picture of the window in front as FILE (a PNG)
//   close        closes the window in front, as its Escape would
// No step runs while a command waits for the host. Each step waits up to 30 s for what it needs; a
// step that never can ends the program with exit status 3, after naming the step on stderr. Each
// step done is named on stderr.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class TestScript : public QObject {
 public:
  // Starts the script VEYRA_TEST_SCRIPT names, if any; false when it cannot be read.
  static bool StartFromEnvironment(QObject* parent);

 private:
  TestScript(QStringList steps, QObject* parent);
  void Tick();
  bool TryStep(const QString& verb, const QString& text);

  QStringList m_steps;
  int m_next = 0;
  int m_waitedMs = 0;
  QTimer m_timer;
};
