// Every window of the program, each page of a paged one in front in turn: no caption, label,
// button or tab text may be cut, nothing may stick out of the client area or sit far below the
// caption. Run by ctest at scale 1 and 2. With VEYRA_SCREENSHOT_DIR set, each window is also saved
// as a picture there (tools/screenshots.sh does this under a virtual X server).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTabBar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/TileTable.h"
#include "link/HostPort.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CCaptionButton.h"
#include "ui/CPagedDialog.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

std::string Describe(const QWidget* widget, const QString& text) {
  return std::string(widget->metaObject()->className()) + " \"" + text.toStdString() + "\"";
}

// What is wrong with the window as it is on screen now; empty when nothing.
std::vector<std::string> LayoutFaults(CDialogBase& window) {
  std::vector<std::string> faults;
  if (!window.TitleShownWhole()) faults.push_back("caption cut: " + window.windowTitle().toStdString());
  const QRect client = window.ClientRect();
  int topmost = client.bottom();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&window) || child->window() != &window) continue;
    if (qobject_cast<CCaptionButton*>(child)) continue;
    const QRect box(child->mapTo(&window, QPoint(0, 0)), child->size());
    if (child->parentWidget() == &window) {
      if (!client.contains(box))
        faults.push_back("outside the client area: " + Describe(child, child->objectName()));
      topmost = std::min(topmost, box.top());
    }
    if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty()) {
      const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                         : label->sizeHint().width() > label->width();
      if (cut) faults.push_back("label cut: " + Describe(label, label->text()));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && !button->text().isEmpty()) {
      if (button->sizeHint().width() > button->width())
        faults.push_back("button cut: " + Describe(button, button->text()));
    }
    if (auto* tabs = qobject_cast<QTabBar*>(child)) {
      for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabRect(i).width() < tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) + 8 ||
            tabs->tabRect(i).right() > tabs->width())
          faults.push_back("tab cut: " + Describe(tabs, tabs->tabText(i)));
    }
  }
  if (topmost - client.top() > 24)
    faults.push_back("content starts " + std::to_string(topmost - client.top()) + " px below the caption");
  return faults;
}

void SaveScreenshot(QWidget& window, const QString& name) {
  const QString dir = qEnvironmentVariable("VEYRA_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  window.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void Check(CDialogBase& window, const QString& name) {
  window.show();
  test::DeliverPosted();
  for (const std::string& fault : LayoutFaults(window)) ADD_FAILURE() << name.toStdString() << ": " << fault;
  SaveScreenshot(window, name);
}

// Each page in front in turn.
void CheckPages(CPagedDialog& dialog, const QString& name) {
  for (int page = 0; page < dialog.Tabs()->count(); ++page) {
    dialog.Tabs()->setCurrentIndex(page);
    Check(dialog, name + QStringLiteral("-page%1").arg(page + 1));
  }
}

TEST(WindowLayoutTest, NoTextIsCutAndContentSitsRightBelowTheCaption) {
  test::TestEnvironment env;
  test::RecordingNotifier messages;
  HostPort port;
  {
    CMainDlg main(port);
    main.StatusLine()->setText(QStringLiteral("COM33 Successful to find main host!"));  // the longest status
    Check(main, QStringLiteral("main"));
    for (int i = 0; i < kTileCount; ++i) {
      const TileRow& row = Tiles()[static_cast<std::size_t>(i)];
      if (!row.open) continue;
      const std::unique_ptr<CDialogBase> dialog = row.open(&main, port);
      const QString name = QStringLiteral("tile%1").arg(i + 1);
      if (auto* paged = qobject_cast<CPagedDialog*>(dialog.get()))
        CheckPages(*paged, name);
      else
        Check(*dialog, name);
    }
  }
  CLoginDlg login;
  Check(login, QStringLiteral("login"));
  CAboutDlg about;
  Check(about, QStringLiteral("about"));
}

}  // namespace
}  // namespace veyra
