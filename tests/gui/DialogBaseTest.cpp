#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "shell/CDialogBase.h"
#include "shell/CPageBase.h"
#include "tests/gui/WaitFor.h"

using veyra::test::WaitFor;

namespace {

// A dialog with a line edit and an OK button that accepts: the shape of most feature dialogs.
class ProbeDialog : public CDialogBase {
 public:
  ProbeDialog() {
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit(this);
    ok = new QPushButton("OK", this);
    layout->addWidget(edit);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, [this] {
      ++okClicks;
      accept();
    });
    setWindowTitle("Probe");
    resize(320, 200);
  }
  int okClicks = 0;
  int enterCalls = 0;
  QLineEdit* edit;
  QPushButton* ok;

 protected:
  void OnEnter() override { ++enterCalls; }
};

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &release);
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

std::unique_ptr<ProbeDialog> ShownDialog() {
  auto dialog = std::make_unique<ProbeDialog>();
  dialog->show();
  dialog->activateWindow();
  WaitFor([&] { return dialog->isActiveWindow(); }, 2000);
  return dialog;
}

struct KeyRow {
  const char* fault;
  int key;
  Qt::KeyboardModifiers modifiers;
  enum Target { Edit, Button, ButtonAddedLater } target;
  bool closes;
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.fault; }

class DialogKeys : public testing::TestWithParam<KeyRow> {};

TEST_P(DialogKeys, EnterNeverFiresAButtonEscapeCancels) {
  const KeyRow& row = GetParam();
  auto dialog = ShownDialog();
  QWidget* target = dialog->edit;
  if (row.target == KeyRow::Button) {
    target = dialog->ok;
  } else if (row.target == KeyRow::ButtonAddedLater) {
    auto* late = new QPushButton("Late", dialog.get());
    dialog->layout()->addWidget(late);
    late->show();
    QObject::connect(late, &QPushButton::clicked, dialog.get(), &QDialog::accept);
    target = late;
  }
  target->setFocus();
  Press(target, row.key, row.modifiers);

  EXPECT_EQ(dialog->okClicks, 0);
  EXPECT_EQ(dialog->isVisible(), !row.closes);
  if (row.closes) {
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  } else {
    EXPECT_EQ(dialog->enterCalls, 1) << "Enter must reach OnEnter";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeys,
    testing::Values(
        KeyRow{"EnterInAnEditTriggersTheDefaultButton", Qt::Key_Return, Qt::NoModifier, KeyRow::Edit, false},
        KeyRow{"KeypadEnterTriggersTheDefaultButton", Qt::Key_Enter, Qt::KeypadModifier, KeyRow::Edit, false},
        KeyRow{"EnterOnAFocusedAutoDefaultButtonClicksIt", Qt::Key_Return, Qt::NoModifier, KeyRow::Button, false},
        KeyRow{"ButtonAddedAfterShowIsStillAutoDefault", Qt::Key_Return, Qt::NoModifier,
               KeyRow::ButtonAddedLater, false},
        KeyRow{"EscapeDoesNotCloseTheDialog", Qt::Key_Escape, Qt::NoModifier, KeyRow::Edit, true}),
    [](const testing::TestParamInfo<KeyRow>& info) { return info.param.fault; });

TEST(DialogSystemMenu, AppendedEntryFollowsASeparatorAndTriggers) {
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

TEST(DialogSystemMenu, CloseEntryClosesAsCancelledAndOwnedDialogCannotMinimise) {
  auto dialog = ShownDialog();
  CDialogBase owned(dialog.get());
  EXPECT_FALSE(owned.IsMinimizable());
  EXPECT_TRUE(dialog->IsMinimizable());

  QAction* close = nullptr;
  for (QAction* action : dialog->SystemMenu()->actions()) {
    if (action->text().remove('&') == QString("Закрыть")) close = action;
  }
  ASSERT_NE(close, nullptr);
  close->trigger();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

struct MenuOpenRow {
  const char* fault;
  enum How { RightClickCaption, ClickIcon, AltSpace } how;
};

void PrintTo(const MenuOpenRow& row, std::ostream* out) { *out << row.fault; }

class DialogSystemMenuOpens : public testing::TestWithParam<MenuOpenRow> {};

TEST_P(DialogSystemMenuOpens, FromTheCaption) {
  auto dialog = ShownDialog();
  dialog->setWindowIcon(QIcon(":/icons/app.svg"));
  ASSERT_FALSE(dialog->CaptionIconRect().isNull());
  switch (GetParam().how) {
    case MenuOpenRow::RightClickCaption:
      Mouse(dialog.get(), QEvent::MouseButtonPress, dialog->CaptionRect().center(), Qt::RightButton);
      break;
    case MenuOpenRow::ClickIcon:
      Mouse(dialog.get(), QEvent::MouseButtonPress, dialog->CaptionIconRect().center(), Qt::LeftButton);
      break;
    case MenuOpenRow::AltSpace:
      Press(dialog->edit, Qt::Key_Space, Qt::AltModifier);
      break;
  }
  EXPECT_TRUE(WaitFor([&] { return dialog->SystemMenu()->isVisible(); }, 2000));
  dialog->SystemMenu()->close();
  EXPECT_TRUE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Opens, DialogSystemMenuOpens,
    testing::Values(MenuOpenRow{"RightClickOnCaptionShowsNoMenu", MenuOpenRow::RightClickCaption},
                    MenuOpenRow{"CaptionIconIsNotAMenuButton", MenuOpenRow::ClickIcon},
                    MenuOpenRow{"AltSpaceDoesNothing", MenuOpenRow::AltSpace}),
    [](const testing::TestParamInfo<MenuOpenRow>& info) { return info.param.fault; });

// Presses the left button at grip, moves by offset with it held, and lets go there.
void Drag(QWidget* target, QPoint grip, QPoint offset) {
  Mouse(target, QEvent::MouseButtonPress, grip, Qt::LeftButton);
  QMouseEvent move(QEvent::MouseMove, QPointF(grip + offset), QPointF(target->mapToGlobal(grip) + offset),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  Mouse(target, QEvent::MouseButtonRelease, grip + offset, Qt::LeftButton);
}

TEST(DialogCaption, DraggingTheCaptionMovesTheWindow) {
  auto dialog = ShownDialog();
  const QPoint start = dialog->pos();
  Drag(dialog.get(), dialog->CaptionRect().center() - QPoint(40, 0), QPoint(30, 20));
  EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
}

TEST(DialogCaption, DraggingTheClientAreaDoesNotMoveTheWindow) {
  auto dialog = ShownDialog();
  const QPoint start = dialog->pos();
  Drag(dialog.get(), dialog->ClientRect().center(), QPoint(30, 20));
  EXPECT_EQ(dialog->pos(), start);
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// Colour distance small enough for rounding, large enough to tell the four corners apart.
bool Near(const QColor& a, const QColor& b, int tolerance = 3) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

#define EXPECT_COLOR(actual, expected)                                                          \
  EXPECT_TRUE(Near(actual, expected)) << "got " << (actual).name().toStdString() << " expected " \
                                      << QColor(expected).name().toStdString()

TEST(DialogCaption, ActiveGradientHasItsFourCornerColours) {
  const QImage image = CDialogBase::ActiveCaptionImage(QSize(201, 25));
  EXPECT_COLOR(At(image, 0, 0), QColor(11, 144, 255));
  EXPECT_COLOR(At(image, 200, 0), QColor(11, 144, 255));
  EXPECT_COLOR(At(image, 0, 24), QColor(173, 203, 247));
  EXPECT_COLOR(At(image, 200, 24), QColor(11, 53, 255));
  // On the shared diagonal both triangles give the mix of the top right and bottom left corners.
  EXPECT_COLOR(At(image, 100, 12), QColor(92, 174, 251));
}

TEST(DialogLook, FrameCaptionAndClientColours) {
  auto dialog = ShownDialog();
  ASSERT_TRUE(dialog->isActiveWindow()) << "the offscreen platform should activate a shown window";
  dialog->setWindowTitle(QString());  // nothing drawn over the gradient
  const QImage image = dialog->grab().toImage();
  const QRect caption = dialog->CaptionRect();
  const QRect client = dialog->ClientRect();
  for (int i = 0; i < CDialogBase::kFrameWidth; ++i) {
    EXPECT_COLOR(At(image, i, image.height() / 2), QColor(0, 0, 200)) << "frame pixel " << i;
    EXPECT_COLOR(At(image, image.width() - 1 - i, image.height() - 1 - i), QColor(0, 0, 200));
  }
  EXPECT_COLOR(At(image, caption.left(), caption.top()), QColor(11, 144, 255));
  EXPECT_COLOR(At(image, caption.left(), caption.bottom()), QColor(173, 203, 247));
  EXPECT_COLOR(At(image, client.left(), client.top()), QColor(198, 211, 247));
  EXPECT_COLOR(At(image, client.left(), client.bottom()), QColor(255, 255, 255));
}

TEST(DialogLook, PageBackgroundIsPlain) {
  CPageBase page;
  page.resize(100, 100);
  const QImage image = page.grab().toImage();
  EXPECT_COLOR(At(image, 0, 0), QColor(198, 211, 247));
  EXPECT_COLOR(At(image, 99, 99), QColor(198, 211, 247));
}

}  // namespace
