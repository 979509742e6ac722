#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "tests/common/WaitFor.h"
#include "ui/CDialogBase.h"

namespace {

// A dialog with a line edit and an OK button that accepts: the shape of most feature dialogs.
class ProbeDialog : public CDialogBase {
 public:
  ProbeDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit = new QLineEdit(this));
    layout->addWidget(ok = new QPushButton("OK", this));
    connect(ok, &QPushButton::clicked, this, [this] {
      ++okClicks;
      accept();
    });
    resize(320, 200);
    show();
    activateWindow();
    // Enter and focus only behave as on a desktop in the active window.
    EXPECT_TRUE(veyra::test::WaitFor([&] { return isActiveWindow(); }, 2000));
  }
  int okClicks = 0, enterCalls = 0;
  QLineEdit* edit;
  QPushButton* ok;

 protected:
  void OnEnter() override { ++enterCalls; }
};

void Mouse(QWidget* target, QEvent::Type type, QPoint at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

TEST(DialogBase, EnterNeverFiresAButtonEscapeCancels) {
  enum Target { Edit, Button, ButtonAddedLater };
  const struct {
    const char* expect;
    int key;
    Qt::KeyboardModifiers modifiers;
    Target target;
    bool closes;
  } rows[] = {
      {"Enter in an edit triggers no button", Qt::Key_Return, Qt::NoModifier, Edit, false},
      {"keypad Enter triggers no button", Qt::Key_Enter, Qt::KeypadModifier, Edit, false},
      {"Enter on a focused button does not click it", Qt::Key_Return, Qt::NoModifier, Button, false},
      {"a button added after show is not auto-default", Qt::Key_Return, Qt::NoModifier, ButtonAddedLater,
       false},
      {"Escape closes the dialog", Qt::Key_Escape, Qt::NoModifier, Edit, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    ProbeDialog dialog;
    QWidget* target = row.target == Button ? static_cast<QWidget*>(dialog.ok) : dialog.edit;
    if (row.target == ButtonAddedLater) {
      auto* late = new QPushButton("Late", &dialog);
      dialog.layout()->addWidget(late);
      late->show();
      QObject::connect(late, &QPushButton::clicked, &dialog, &QDialog::accept);
      target = late;
    }
    target->setFocus();
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent key(type, row.key, row.modifiers);
      QApplication::sendEvent(target, &key);
    }
    EXPECT_EQ(dialog.okClicks, 0);
    EXPECT_EQ(dialog.isVisible(), !row.closes);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.enterCalls, row.closes ? 0 : 1) << "Enter must reach OnEnter";
  }
}

TEST(DialogBase, SystemMenuEntryFollowsASeparatorAndTriggers) {
  ProbeDialog dialog;
  const int before = dialog.SystemMenu()->actions().size();
  int triggered = 0;
  dialog.AddSystemMenuEntry("About Norvane(&A)...", [&] { ++triggered; });
  const QList<QAction*> actions = dialog.SystemMenu()->actions();
  ASSERT_EQ(actions.size(), before + 2);
  EXPECT_TRUE(actions[before]->isSeparator());
  EXPECT_EQ(actions.last()->text(), "About Norvane(&A)...");
  actions.last()->trigger();
  EXPECT_EQ(triggered, 1);
}

TEST(DialogBase, DraggingTheCaptionMovesTheWindowTheClientAreaDoesNot) {
  ProbeDialog dialog;
  const QPoint captionGrip = dialog.CaptionRect().center() - QPoint(40, 0);
  for (QPoint grip : {captionGrip, dialog.ClientRect().center()}) {
    const QPoint start = dialog.pos(), offset(30, 20);
    Mouse(&dialog, QEvent::MouseButtonPress, grip);
    Mouse(&dialog, QEvent::MouseMove, grip + offset);
    Mouse(&dialog, QEvent::MouseButtonRelease, grip + offset);
    EXPECT_EQ(dialog.pos(), grip == captionGrip ? start + offset : start);
  }
}

}  // namespace
