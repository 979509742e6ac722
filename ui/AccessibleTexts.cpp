#include "ui/AccessibleTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTabBar>
#include <QTextEdit>
#include <utility>

namespace {

// "&Пароль:" as a screen reader should say it: no mnemonic marker, no colon, no padding.
QString Spoken(QString text) {
  text.remove(QLatin1Char('&'));
  text = text.trimmed();
  while (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text.trimmed();
}

QString BuddyText(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  if (!parent) return {};
  for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    if (label->buddy() == widget) return Spoken(label->text());
  return {};
}

// The layout below `layout` that holds the widget directly, and the widget's index there.
std::pair<QLayout*, int> Holder(QLayout* layout, const QWidget* widget) {
  if (!layout) return {nullptr, -1};
  if (const int index = layout->indexOf(widget); index >= 0) return {layout, index};
  for (int i = 0; i < layout->count(); ++i)
    if (QLayout* inner = layout->itemAt(i)->layout())
      if (const auto found = Holder(inner, widget); found.first) return found;
  return {nullptr, -1};
}

QString LabelText(const QLayoutItem* item) {
  const auto* label = item ? qobject_cast<const QLabel*>(item->widget()) : nullptr;
  return label ? Spoken(label->text()) : QString();
}

// The text of the label laid out right before the widget: to its left in a grid or a row, above it
// in a column. A check box without a text of its own also takes the label that starts its row.
QString NeighbourText(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  const auto [layout, index] = Holder(parent ? parent->layout() : nullptr, widget);
  if (!layout) return {};
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    if (column > 0)
      if (const QString text = LabelText(grid->itemAtPosition(row, column - 1)); !text.isEmpty()) return text;
    if (qobject_cast<const QCheckBox*>(widget)) return LabelText(grid->itemAtPosition(row, 0));
    return {};
  }
  return index > 0 ? LabelText(layout->itemAt(index - 1)) : QString();
}

// Where a control sits, from the group around it out to its window: two lists both named
// "Название" are told apart by their groups.
QString Whereabouts(const QWidget* widget) {
  QStringList places;
  for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w); group && !Spoken(group->title()).isEmpty())
      places << Spoken(group->title());
    if (w->isWindow()) {
      if (!Spoken(w->windowTitle()).isEmpty()) places << Spoken(w->windowTitle());
      break;
    }
  }
  return places.join(QStringLiteral(", "));
}

QString OwnText(const QWidget* widget) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return Spoken(button->text());
  return {};
}

}  // namespace

void LabelFor(QLabel* label, QWidget* field) { label->setBuddy(field); }

bool IsInteractive(const QWidget* widget) {
  // A list's own line edit belongs to the list, a view's scroll bars to the view.
  if (qobject_cast<const QComboBox*>(widget->parentWidget()) || qobject_cast<const QScrollBar*>(widget))
    return false;
  return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
         qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget) ||
         qobject_cast<const QTabBar*>(widget);
}

void CompleteAccessibleTexts(QWidget* root) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!IsInteractive(widget)) continue;
    QString name = widget->accessibleName();
    if (name.isEmpty()) {
      name = OwnText(widget);
      if (name.isEmpty()) name = BuddyText(widget);
      if (name.isEmpty()) name = NeighbourText(widget);
      // A button that shows only a picture has its words in the tooltip.
      if (name.isEmpty() && qobject_cast<QAbstractButton*>(widget)) name = Spoken(widget->toolTip());
      if (!name.isEmpty() && name != OwnText(widget)) widget->setAccessibleName(name);
    }
    if (!widget->accessibleDescription().isEmpty() || name.isEmpty()) continue;
    if (!widget->toolTip().isEmpty()) {
      widget->setAccessibleDescription(widget->toolTip());
    } else if (const QString where = Whereabouts(widget); !where.isEmpty()) {
      widget->setAccessibleDescription(
          QCoreApplication::translate("AccessibleTexts", "%1 — %2").arg(name, where));
    }
  }
}
