// The port list: it reads the ports again each time it is opened, so an adapter plugged in after
// start-up appears without a restart. Each entry's text is the bare "COMn" name, which the search,
// the open/close button and the login reply look entries up by; what the port is (the adapter's
// name, or its device) is the entry's tooltip, and the open list shows it beside the name. Network
// ports the user named follow as their URLs, and the last entry asks for another one.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <functional>

class CPortItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString description = index.data(Qt::ToolTipRole).toString();
    if (!description.isEmpty()) option->text += QStringLiteral(" — ") + description;
  }
};

class CPortCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit CPortCombo(QWidget* parent = nullptr) : QComboBox(parent) {
    setItemDelegate(new CPortItemDelegate(this));
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int index) { setToolTip(itemData(index, Qt::ToolTipRole).toString()); });
  }
  // The entry's data is the name too, like its text.
  void AddPort(const QString& name, const QString& description) {
    addItem(name, name);
    setItemData(count() - 1, description, Qt::ToolTipRole);
  }
  // The entry that names no port but asks for a network port's URL.
  void AddUrlQuestion(const QString& text) {
    addItem(text);
    setItemData(count() - 1, true, kAsksForUrlRole);
  }
  bool AsksForUrl(int index) const { return itemData(index, kAsksForUrlRole).toBool(); }
  void SetBeforePopup(std::function<void()> refresh) { m_refresh = std::move(refresh); }
  void showPopup() override {
    if (m_refresh) m_refresh();
    // The closed box is as wide as the names; the open list is as wide as names and descriptions.
    QAbstractItemView* list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
  }

 private:
  static constexpr int kAsksForUrlRole = Qt::UserRole + 1;
  std::function<void()> m_refresh;
};
