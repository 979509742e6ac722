#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <thread>
#include <vector>

#include "shell/CDialogBase.h"
#include "shell/QtNotifier.h"
#include "tests/gui/WaitFor.h"

using veyra::test::DeliverPosted;
using veyra::test::WaitFor;

namespace {

veyra::Message Text(const std::string& text) { return veyra::Message{text, "", true, veyra::Icon::None}; }

int VisibleBoxes() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += (qobject_cast<QMessageBox*>(w) && w->isVisible());
  return count;
}

// Closes every box as soon as it appears and notes what it said.
struct BoxCloser {
  explicit BoxCloser(QtNotifier& notifier) {
    QObject::connect(&notifier, &QtNotifier::BoxShown, &context, [this](QMessageBox* box) {
      texts.push_back(box->text().toStdString());
      maxVisible = std::max(maxVisible, VisibleBoxes());
      box->accept();
    });
  }
  QObject context;
  std::vector<std::string> texts;
  int maxVisible = 0;
};

TEST(QtNotifier, BoxesFromTheReaderThreadAppearInArrivalOrderOneAtATime) {
  QtNotifier notifier;
  BoxCloser closer(notifier);
  std::thread reader([&] {
    for (int i = 0; i < 10; ++i) notifier.Show(Text(std::to_string(i)));
  });
  reader.join();
  notifier.Show(Text("gui"));
  ASSERT_TRUE(WaitFor([&] { return closer.texts.size() == 11; }));
  EXPECT_EQ(closer.texts, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "gui"}));
  EXPECT_EQ(closer.maxVisible, 1);
}

TEST(QtNotifier, LaterBoxWaitsWhileAnEarlierOneIsOpenInANestedLoop) {
  QtNotifier notifier;
  std::vector<QMessageBox*> shown;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](QMessageBox* box) { shown.push_back(box); });
  notifier.Show(Text("first"));
  ASSERT_TRUE(WaitFor([&] { return shown.size() == 1; }));
  std::thread reader([&] { notifier.Show(Text("second")); });
  reader.join();
  // WaitFor runs a nested event loop while the first box is open, as a modal dialog would.
  ASSERT_TRUE(WaitFor([&] { return notifier.PendingCount() == 1; }));
  DeliverPosted();
  EXPECT_EQ(shown.size(), 1u) << "the second box must not cover the first";
  EXPECT_EQ(VisibleBoxes(), 1);

  shown[0]->accept();
  ASSERT_TRUE(WaitFor([&] { return shown.size() == 2; }));
  EXPECT_EQ(shown[1]->text(), "second");
  shown[1]->accept();
  EXPECT_TRUE(WaitFor([&] { return VisibleBoxes() == 0; }));
}

TEST(QtNotifier, QueueGoesOnWhenABoxDiesWithItsOwner) {
  QtNotifier notifier;
  auto* owner = new CDialogBase;
  notifier.SetDefaultOwner(owner);
  owner->show();
  std::vector<std::string> texts;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](QMessageBox* box) {
    texts.push_back(box->text().toStdString());
    if (texts.size() == 1) {
      delete owner;  // the window goes away with its box still open
    } else {
      box->accept();
    }
  });
  notifier.Show(Text("owned"));
  notifier.Show(Text("after"));
  ASSERT_TRUE(WaitFor([&] { return texts.size() == 2; }));
  EXPECT_EQ(texts[1], "after");
}

struct BoxRow {
  const char* fault;
  veyra::Message message;
  const char* caption;
  QMessageBox::Icon icon;
  bool hasOwner;
};

void PrintTo(const BoxRow& row, std::ostream* out) { *out << row.fault; }

class QtNotifierBox : public testing::TestWithParam<BoxRow> {};

TEST_P(QtNotifierBox, CaptionIconOwnerAndOneOkButton) {
  const BoxRow& row = GetParam();
  CDialogBase dialog;
  dialog.show();
  dialog.activateWindow();
  WaitFor([&] { return dialog.isActiveWindow(); }, 2000);

  QtNotifier notifier;
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget* parent = reinterpret_cast<QWidget*>(1);
  QStringList buttons;
  bool modal = false;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](QMessageBox* box) {
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    parent = box->parentWidget();
    for (QAbstractButton* button : box->buttons()) buttons << button->text().remove('&');
    modal = box->isModal();
    box->accept();
  });
  notifier.Show(row.message);
  ASSERT_TRUE(WaitFor([&] { return !caption.isNull(); }));
  EXPECT_EQ(caption, QString::fromUtf8(row.caption));
  EXPECT_EQ(text, QString::fromStdString(row.message.text));
  EXPECT_EQ(icon, row.icon);
  EXPECT_EQ(parent, row.hasOwner ? &dialog : nullptr);
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0], "OK");
  EXPECT_TRUE(modal);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, QtNotifierBox,
    testing::Values(
        BoxRow{"NoCaptionShowsNoApplicationName", {"3G камера не найдена!!", "", true, veyra::Icon::None},
               "veyra-setup", QMessageBox::NoIcon, true},
        BoxRow{"OwnCaptionIsLost", {"Loading config.ini Failure!！\n", "Failure!", false, veyra::Icon::Error},
               "Failure!", QMessageBox::Critical, false},
        BoxRow{"WarningShownAsSomethingElse", {"x", "Remind", true, veyra::Icon::Warning}, "Remind",
               QMessageBox::Warning, true},
        BoxRow{"InformationShownAsSomethingElse", {"y", "串口", true, veyra::Icon::Information}, "串口",
               QMessageBox::Information, true}),
    [](const testing::TestParamInfo<BoxRow>& info) { return info.param.fault; });

TEST(QtNotifier, WaitCursorNestsAndIgnoresOtherThreads) {
  QtNotifier notifier;
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  std::thread reader([&] { notifier.BeginWait(); });
  reader.join();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the reader thread must not touch the cursor";

  notifier.BeginWait();
  notifier.BeginWait();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  notifier.EndWait();
  EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the outer wait is still on";
  notifier.EndWait();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  notifier.EndWait();  // one too many must not undo someone else's cursor
  QApplication::setOverrideCursor(Qt::BusyCursor);
  notifier.EndWait();
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  QApplication::restoreOverrideCursor();
}

TEST(QtNotifier, KeepAliveDeliversPostedMessagesWhileTheGuiThreadWaits) {
  QtNotifier notifier;
  BoxCloser closer(notifier);
  std::thread reader([&] { notifier.Show(Text("while waiting")); });
  reader.join();
  notifier.KeepAlive();  // no event loop runs here, as inside SendAndWait
  EXPECT_EQ(closer.texts, (std::vector<std::string>{"while waiting"}));
  DeliverPosted();
}

}  // namespace
