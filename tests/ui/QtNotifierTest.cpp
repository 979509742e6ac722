#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <functional>
#include <thread>
#include <vector>

#include "tests/common/Keys.h"
#include "tests/common/WaitFor.h"
#include "ui/CDialogBase.h"
#include "ui/QtNotifier.h"

using veyra::test::WaitFor;

namespace {

veyra::Message Text(const std::string& text) { return veyra::Message{text, "", true, veyra::Icon::None}; }

int VisibleBoxes() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    count += (qobject_cast<CMessageDialog*>(w) && w->isVisible());
  return count;
}

TEST(QtNotifier, BoxesFromAnyThreadAppearInArrivalOrderOneAtATime) {
  QtNotifier notifier;
  std::vector<CMessageDialog*> shown;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* box) { shown.push_back(box); });
  notifier.Show(Text("first"));
  ASSERT_TRUE(WaitFor([&] { return shown.size() == 1; }));
  std::thread reader([&] {
    for (int i = 0; i < 10; ++i) notifier.Show(Text(std::to_string(i)));
  });
  reader.join();
  notifier.Show(Text("gui"));
  // WaitFor runs a nested event loop while the first box is open, as a modal dialog would.
  ASSERT_TRUE(WaitFor([&] { return notifier.PendingCount() == 11; }));
  veyra::test::DeliverPosted();
  EXPECT_EQ(shown.size(), 1u) << "a later box must not cover the first";
  std::vector<std::string> texts;
  while (texts.size() < 12 && WaitFor([&] { return shown.size() > texts.size(); })) {
    EXPECT_EQ(VisibleBoxes(), 1);
    texts.push_back(shown.back()->text().toStdString());
    shown.back()->accept();
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"first", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "gui"}));
  EXPECT_TRUE(WaitFor([&] { return VisibleBoxes() == 0; }));
}

TEST(QtNotifier, CaptionIconOwnerAndOneOkButton) {
  const struct {
    const char* expect;
    veyra::Message message;
    const char* caption;
    QMessageBox::Icon icon;
  } rows[] = {
      // clang-format off
      {"no caption shows the application name", {"3G камера не найдена!!", "", true, veyra::Icon::None},
       "Veyra Setup", QMessageBox::NoIcon},
      {"an own caption is kept and an unowned box stays unowned",
       {"Loading config.ini Failure!！\n", "Failure!", false, veyra::Icon::Error}, "Failure!", QMessageBox::Critical},
      {"a caption not in ASCII is shown unchanged", {"y", "串口", true, veyra::Icon::Information}, "串口", QMessageBox::Information},
      {"a refusal's detail is shown in the box",
       {"Неверное время!", "", true, veyra::Icon::None, "Час постановки: от 0 до 23."}, "Veyra Setup",
       QMessageBox::NoIcon},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    CDialogBase dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return dialog.isActiveWindow(); }, 2000))
        << "an owned box takes the active window";
    QtNotifier notifier;
    CMessageDialog* shown = nullptr;
    QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* box) { shown = box; });
    notifier.Show(row.message);
    ASSERT_TRUE(WaitFor([&] { return shown != nullptr; }));
    EXPECT_EQ(shown->windowTitle(), QString::fromUtf8(row.caption));
    EXPECT_EQ(shown->text(), QString::fromStdString(row.message.text));
    EXPECT_EQ(shown->informativeText(), QString::fromStdString(row.message.detail));
    EXPECT_EQ(shown->icon(), row.icon);
    EXPECT_EQ(shown->parentWidget(), row.message.owned ? &dialog : nullptr);
    ASSERT_EQ(shown->buttons().size(), 1);
    EXPECT_EQ(shown->buttons()[0]->text().remove('&'), "OK");
    EXPECT_TRUE(shown->isModal());
    EXPECT_TRUE(shown->windowFlags() & Qt::FramelessWindowHint)
        << "a box in the system's frame, not the windows'";
    EXPECT_EQ(shown->CaptionRect().height(), CDialogBase::kCaptionHeight);
    EXPECT_FALSE(shown->CaptionIconRect().isEmpty()) << "a box's caption without the program's picture";
    shown->accept();
  }
}

TEST(QtNotifier, QueueGoesOnWhenABoxDiesWithItsOwner) {
  QtNotifier notifier;
  auto* owner = new CDialogBase;
  notifier.SetDefaultOwner(owner);
  owner->show();
  std::vector<std::string> texts;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* box) {
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

// A question is answered No unless Yes is pressed on purpose: Enter takes the focused button,
// which is No when the box opens.
TEST(QtNotifier, QuestionsAnswerNoUnlessYesIsPressed) {
  const struct {
    const char* expect;
    std::function<void(CMessageDialog&)> answer;
    bool yes;
  } rows[] = {
      {"Enter on a fresh box answers No",
       [](CMessageDialog& box) { veyra::test::KeyClick(&box, Qt::Key_Return); }, false},
      {"Escape answers No", [](CMessageDialog& box) { veyra::test::KeyClick(&box, Qt::Key_Escape); }, false},
      {"the caption's cross answers No", [](CMessageDialog& box) { box.close(); }, false},
      {"Yes chosen with the keyboard is taken",
       [](CMessageDialog& box) {
         for (QAbstractButton* button : box.buttons())
           if (button != box.DefaultButton()) button->setFocus();
         veyra::test::KeyClick(&box, Qt::Key_Return);
       },
       true},
      {"a click on Yes is taken",
       [](CMessageDialog& box) {
         for (QAbstractButton* button : box.buttons())
           if (button != box.DefaultButton()) button->click();
       },
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    QtNotifier notifier;
    QString caption;
    QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* box) {
      caption = box->windowTitle();
      EXPECT_EQ(box->buttons().size(), 2);
      EXPECT_EQ(box->icon(), QMessageBox::Question);
      row.answer(*box);
    });
    const bool yes = notifier.Ask({"Удалить все датчики?", "", false, veyra::Icon::None});
    EXPECT_EQ(yes, row.yes);
    EXPECT_EQ(caption, QtNotifier::ApplicationName());
  }
}

}  // namespace
