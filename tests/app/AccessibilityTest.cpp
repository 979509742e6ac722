// Every window of the program, each page of a paged one in front in turn, as written and in
// English, as a screen reader and a keyboard meet it: every control a person works with has a
// name and a description in the accessibility tree, and Tab walks the controls in the order they
// are seen, never back up a column or back along a row.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QGridLayout>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CDifferencesDlg.h"
#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/CNetworkPortDlg.h"
#include "app/TileTable.h"
#include "link/HostPort.h"
#include "tests/common/LanguageScope.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CPagedDialog.h"
#include "ui/CTabCtrlEx.h"
#include "ui/Translation.h"

namespace veyra {
namespace {

// The roles of what a person presses, types into, chooses from or moves through.
bool Interactive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
      return true;
    default:
      return false;
  }
}

std::string Spoken(QAccessibleInterface* control) {
  const QObject* object = control->object();
  return std::string(object ? object->metaObject()->className() : "?") + " role " +
         std::to_string(control->role()) + " \"" + control->text(QAccessible::Name).toStdString() + "\"";
}

// Each interactive control in the window's accessibility tree that is on screen and lacks a name
// or a description.
void Unnamed(QAccessibleInterface* node, std::vector<std::string>& faults, int depth = 0) {
  if (!node || depth > 40) return;
  if (node->state().invisible) return;
  if (Interactive(node->role())) {
    if (node->text(QAccessible::Name).trimmed().isEmpty()) faults.push_back("no name: " + Spoken(node));
    // A tab is described by its page, a table by itself: the tabs' and cells' own are optional.
    if (node->role() != QAccessible::PageTab && node->text(QAccessible::Description).trimmed().isEmpty())
      faults.push_back("no description: " + Spoken(node));
  }
  // The cells of a table are its content, not controls.
  if (node->role() == QAccessible::Table) return;
  for (int i = 0; i < node->childCount(); ++i) Unnamed(node->child(i), faults, depth + 1);
}

// B follows A in reading order: on a lower row, or in a column further right.
bool Follows(const QRect& a, const QRect& b) {
  constexpr int kSlack = 4;
  return b.top() >= a.bottom() - kSlack || b.left() >= a.right() - kSlack;
}

struct GridPlace {
  const QGridLayout* grid = nullptr;
  int row = 0, column = 0;
};

GridPlace PlaceIn(const QLayout* layout, const QWidget* widget) {
  if (!layout) return {};
  if (const int index = layout->indexOf(widget); index >= 0) {
    GridPlace place;
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
      int rows = 0, columns = 0;
      const_cast<QGridLayout*>(grid)->getItemPosition(index, &place.row, &place.column, &rows, &columns);
      place.grid = grid;
    }
    return place;
  }
  for (int i = 0; i < layout->count(); ++i)
    if (const QLayout* inner = layout->itemAt(i)->layout())
      if (const GridPlace place = PlaceIn(inner, widget); place.grid) return place;
  return {};
}

// The grid cell a widget is laid out in, if it is in a grid.
GridPlace PlaceInGrid(const QWidget* widget) {
  return widget->parentWidget() ? PlaceIn(widget->parentWidget()->layout(), widget) : GridPlace{};
}

// Where Tab goes back up a column or back along a row.
void TabOrderFaults(QWidget& window, std::vector<std::string>& faults) {
  std::vector<QWidget*> chain;
  for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&window) || w->window() != &window) continue;
    if (w->focusProxy() || qobject_cast<QComboBox*>(w->parentWidget())) continue;
    chain.push_back(w);
    if (chain.size() > 500) break;
  }
  const auto box = [&](QWidget* w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
  const auto named = [](QWidget* w) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
    return control ? Spoken(control) : std::string(w->metaObject()->className());
  };
  for (std::size_t i = 1; i < chain.size(); ++i)
    if (!Follows(box(chain[i - 1]), box(chain[i])))
      faults.push_back("Tab goes back from " + named(chain[i - 1]) + " to " + named(chain[i]));
  // In a grid the eye reads row by row, though a later row's field may lie left of an earlier
  // row's button: a button of row 1 reached after the fields of row 2 is out of order.
  for (std::size_t i = 0; i < chain.size(); ++i)
    for (std::size_t j = i + 1; j < chain.size(); ++j) {
      const GridPlace a = PlaceInGrid(chain[i]), b = PlaceInGrid(chain[j]);
      if (a.grid && a.grid == b.grid && std::make_pair(b.row, b.column) < std::make_pair(a.row, a.column))
        faults.push_back("Tab reaches " + named(chain[j]) + " after " + named(chain[i]) +
                         ", a later cell of its grid");
    }
}

using test::LanguageScope;

TEST(AccessibilityTest, EveryControlIsNamedAndDescribedAndTabFollowsTheEye) {
  test::TestEnvironment env;
  test::RecordingNotifier messages;
  HostPort port;
  for (const Language language : {Language::Original, Language::English}) {
    LanguageScope scope(language);
    const auto check = [&](CDialogBase& window, const std::string& name) {
      auto* paged = qobject_cast<CPagedDialog*>(&window);
      for (int page = 0; page < (paged ? paged->Tabs()->count() : 1); ++page) {
        if (paged) paged->Tabs()->setCurrentIndex(page);
        window.show();
        test::DeliverPosted();
        std::vector<std::string> faults;
        Unnamed(QAccessible::queryAccessibleInterface(&window), faults);
        TabOrderFaults(window, faults);
        for (const std::string& fault : faults)
          ADD_FAILURE() << (language == Language::English ? "English " : "") << name << " page " << page + 1
                        << ": " << fault;
      }
      window.hide();
    };
    {
      CMainDlg main(port);
      check(main, "main");
      for (int i = 0; i < kTileCount; ++i) {
        const TileRow& row = Tiles()[static_cast<std::size_t>(i)];
        if (row.open) check(*row.open(&main, port), "tile" + std::to_string(i + 1));
      }
      CDifferencesDlg differences("host.ini", {{"setup.siren_minutes", "3", "9"}}, &main);
      check(differences, "differences");
    }
    CLoginDlg login;
    check(login, "login");
    CNetworkPortDlg network;
    check(network, "network-port");
    CAboutDlg about;
    check(about, "about");
  }
}

}  // namespace
}  // namespace veyra
