// The windows under a real window manager (openbox on a virtual X server, started by
// tools/with-window-manager.sh): the caption moves a window, a box stays above the window it
// speaks for, and closing a dialog or a box gives the keyboard back to the window below. The
// mouse and keys come from xdotool, through the X server and the window manager, as a person's
// would. Skipped anywhere else.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CMainDlg.h"
#include "link/HostPort.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CMessageDialog.h"
#include "ui/QtNotifier.h"

namespace veyra {
namespace {

using test::WaitFor;

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(5000)) return {};
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void Xdotool(const QStringList& arguments) { Run(QStringLiteral("xdotool"), arguments); }

std::vector<WId> WindowIds(const QString& xpropLine) {
  std::vector<WId> ids;
  static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
  for (auto match = hex.globalMatch(xpropLine); match.hasNext();)
    ids.push_back(static_cast<WId>(match.next().captured().toULongLong(nullptr, 16)));
  return ids;
}

// Bottom to top, as the window manager stacks them.
std::vector<WId> Stacking() {
  return WindowIds(
      Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")}));
}

bool Above(const QWidget& upper, const QWidget& lower) {
  const std::vector<WId> order = Stacking();
  const auto up = std::find(order.begin(), order.end(), upper.winId());
  const auto low = std::find(order.begin(), order.end(), lower.winId());
  return up != order.end() && low != order.end() && up > low;
}

WId TransientFor(const QWidget& window) {
  const std::vector<WId> ids =
      WindowIds(Run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                              QStringLiteral("WM_TRANSIENT_FOR")}));
  return ids.empty() ? 0 : ids.front();
}

QString At(int coordinate) { return QString::number(coordinate); }

void Click(const QPoint& global) {
  Xdotool({QStringLiteral("mousemove"), At(global.x()), At(global.y()), QStringLiteral("click"),
           QStringLiteral("1")});
}

class WindowManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("VEYRA_WINDOW_MANAGER") || QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs tools/with-window-manager.sh";
    main = std::make_unique<CMainDlg>(port);
    main->move(100, 100);
    main->show();
    ASSERT_TRUE(WaitFor([&] { return main->isActiveWindow(); }));
  }

  test::TestEnvironment env;
  HostPort port;
  std::unique_ptr<CMainDlg> main;
};

TEST_F(WindowManagerTest, TheCaptionMovesTheWindow) {
  const QPoint before = main->frameGeometry().topLeft();
  const QPoint grip = main->mapToGlobal(QPoint(main->width() / 3, CDialogBase::kCaptionHeight / 2));
  Xdotool({QStringLiteral("mousemove"), At(grip.x()), At(grip.y()), QStringLiteral("mousedown"),
           QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mousemove"),
           At(grip.x() + 90), At(grip.y() + 60), QStringLiteral("sleep"), QStringLiteral("0.2"),
           QStringLiteral("mouseup"), QStringLiteral("1")});
  EXPECT_TRUE(WaitFor([&] { return main->frameGeometry().topLeft() == before + QPoint(90, 60); }))
      << "moved to " << main->frameGeometry().x() << "," << main->frameGeometry().y();
}

TEST_F(WindowManagerTest, ADialogStaysAboveItsParentAndGivesTheFocusBackWhenItCloses) {
  CAboutDlg about(main.get());
  about.setWindowModality(Qt::WindowModal);  // as a tile's dialog runs
  about.show();
  ASSERT_TRUE(WaitFor([&] { return about.isActiveWindow(); }));
  EXPECT_EQ(TransientFor(about), main->winId());
  // A click on the parent beside the dialog does not bury it.
  const QRect dialog = about.frameGeometry();
  Click(QPoint(main->frameGeometry().right() - 10, main->frameGeometry().bottom() - 10));
  EXPECT_FALSE(
      dialog.contains(QPoint(main->frameGeometry().right() - 10, main->frameGeometry().bottom() - 10)));
  test::DeliverPosted();
  EXPECT_TRUE(WaitFor([&] { return Above(about, *main); }));
  Click(about.mapToGlobal(QPoint(about.width() / 2, about.height() - 8)));  // back to the dialog
  ASSERT_TRUE(WaitFor([&] { return about.isActiveWindow(); }));
  Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
  EXPECT_TRUE(WaitFor([&] { return !about.isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return main->isActiveWindow(); })) << "the keyboard stays with a closed dialog";
}

TEST_F(WindowManagerTest, ABoxStaysAboveItsWindowWithTheWindowsCaptionAndAnswersTheKeyboard) {
  QtNotifier notifier;
  notifier.SetDefaultOwner(main.get());
  CMessageDialog* box = nullptr;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* shown) { box = shown; });
  notifier.Show({"Связь с хостом потеряна!", "", true, Icon::Error});
  ASSERT_TRUE(WaitFor([&] { return box && box->isActiveWindow(); }));
  EXPECT_EQ(TransientFor(*box), main->winId());
  EXPECT_TRUE(box->windowFlags() & Qt::FramelessWindowHint) << "the window manager's frame, not the windows'";
  Click(QPoint(main->frameGeometry().left() + 20, main->frameGeometry().bottom() - 20));
  test::DeliverPosted();
  EXPECT_TRUE(WaitFor([&] { return Above(*box, *main); }));
  EXPECT_TRUE(box->isActiveWindow()) << "an application-modal box lost the keyboard to its window";
  Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
  EXPECT_TRUE(WaitFor([&] { return notifier.CurrentBox() == nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return main->isActiveWindow(); }));
}

}  // namespace
}  // namespace veyra
