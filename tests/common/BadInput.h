// Hostile input for a dialog's controls and what one press then leads to: the texts a paste, a
// stuck key or another keyboard layout leave in a field, a list left without a selection, and
// the messages the user sees and the frames the host reads afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <string>
#include <vector>

#include "tests/common/CodecTestSupport.h"
#include "tests/common/Keys.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestHost.h"
#include "tests/common/WaitFor.h"

namespace veyra::test {

// A paste of `count` characters.
inline QString Many(char c, int count = 10000) { return QString(count, QLatin1Char(c)); }
inline const QString kCyrillic = QStringLiteral("Зона пароль");
inline const QString kEmoji =
    QString::fromUtf8("\xF0\x9F\x93\x9E\xF0\x9F\x94\x91\xF0\x9F\x93\x9E\xF0\x9F\x94\x91");

// How a text reaches its field: set by a program (past the validator, not past maxLength),
// pasted (through both), or typed key by key (through both; ASCII only).
enum Entry { kSet, kPasted, kTyped };

struct BadInput {
  const char* expect;  // what the row expects
  QWidget* control;    // a line edit takes `text`; a combo box or item view loses its selection
  QString text;
  Entry entry;
  QPushButton* button;
  std::vector<std::string> shown;  // message texts, in order
  std::vector<std::string> line;   // frames the host read
};

// Brings the tab holding `widget` to the front, so the host's replies reach its page.
inline void ShowPageOf(QTabWidget* tabs, const QWidget* widget) {
  for (int i = 0; i < tabs->count(); ++i)
    if (tabs->widget(i)->isAncestorOf(widget)) tabs->setCurrentIndex(i);
  DeliverPosted();
}

// Puts the row's input into its control, presses its button and compares what the user was
// shown and what went on the line.
inline void Press(const BadInput& row, RecordingNotifier& messages, TestHost& host) {
  SCOPED_TRACE(row.expect);
  messages.Clear();
  host.ClearLog();
  if (auto* edit = qobject_cast<QLineEdit*>(row.control)) {
    edit->clear();
    if (row.entry == kSet) edit->setText(row.text);
    if (row.entry == kPasted) edit->insert(row.text);
    if (row.entry == kTyped) KeyClicks(edit, row.text);
  } else if (auto* list = qobject_cast<QComboBox*>(row.control)) {
    list->setCurrentIndex(-1);
  } else if (auto* view = qobject_cast<QAbstractItemView*>(row.control)) {
    view->setCurrentIndex({});
    view->clearSelection();
  } else {
    FAIL() << "no input for this control";
  }
  row.button->click();
  if (!row.shown.empty()) {
    EXPECT_TRUE(messages.WaitFor(row.shown.size()));
  }
  DeliverPosted();
  EXPECT_EQ(messages.Texts(), row.shown);
  EXPECT_EQ(Hexes(host.FramesReceived()), row.line);
}

}  // namespace veyra::test
