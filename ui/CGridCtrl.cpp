#include "ui/CGridCtrl.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <numeric>

// The cells of a grid. Rows are stored only once something is written into them.
class CGridModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_columns; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    switch (role) {
      case Qt::DisplayRole:
        return Text(index.row(), index.column());
      case Qt::BackgroundRole:
        return QBrush(CGridCtrl::CellColor());
      case Qt::TextAlignmentRole:
        return QVariant::fromValue(Alignment(index.column()));
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns) return {};
    if (role == Qt::DisplayRole) return m_header.value(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  QString Text(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return {};
    return m_rows[row].value(column);
  }

  void SetText(int row, int column, const QString& text) {
    QVector<QString>& cells = m_rows[row];
    if (cells.size() < m_columns) cells.resize(m_columns);
    if (cells[column] == text) return;
    cells[column] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
  }

  QString HeaderText(int column) const { return m_header.value(column); }
  void SetHeaderText(int column, const QString& text) {
    if (m_header.size() < m_columns) m_header.resize(m_columns);
    m_header[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
  }

  void SetRows(int rows) {
    const int now = rowCount();
    if (rows > now) {
      beginInsertRows({}, now, rows - 1);
      m_rows.resize(rows);
      endInsertRows();
    } else if (rows < now) {
      beginRemoveRows({}, rows, now - 1);
      m_rows.resize(rows);
      endRemoveRows();
    }
  }

  void ClearRows(int rows) {
    beginResetModel();
    m_rows.clear();
    m_rows.resize(rows);
    endResetModel();
  }

  void SetColumns(int columns) {
    if (columns == m_columns) return;
    if (columns > m_columns) {
      beginInsertColumns({}, m_columns, columns - 1);
      m_columns = columns;
      endInsertColumns();
    } else {
      beginRemoveColumns({}, columns, m_columns - 1);
      m_columns = columns;
      for (QVector<QString>& cells : m_rows) {
        if (cells.size() > columns) cells.resize(columns);
      }
      if (m_header.size() > columns) m_header.resize(columns);
      endRemoveColumns();
    }
  }

  void SetDefaultAlignment(Qt::Alignment alignment) { m_defaultAlignment = alignment; }
  void SetColumnAlignment(int column, Qt::Alignment alignment) {
    if (m_columnAlignment.size() <= column) m_columnAlignment.resize(column + 1);
    m_columnAlignment[column] = alignment;
  }
  void RefreshAll() {
    if (rowCount() > 0 && m_columns > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, m_columns - 1));
  }

 private:
  Qt::Alignment Alignment(int column) const {
    const Qt::Alignment a = m_columnAlignment.value(column);
    return a ? a : m_defaultAlignment;
  }

  int m_columns = 0;
  QVector<QString> m_header;
  std::vector<QVector<QString>> m_rows;  // grid rows 1.. as model rows 0..
  Qt::Alignment m_defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  QVector<Qt::Alignment> m_columnAlignment;
};

namespace {

// Row 0 of the grid: flat sections in the header colour, texts centred.
class CGridHeader final : public QHeaderView {
 public:
  explicit CGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
  }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    if (!rect.isValid()) return;
    painter->save();
    painter->fillRect(rect, CGridCtrl::HeaderColor());
    painter->setPen(CGridCtrl::HeaderColor().darker(140));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(palette().color(QPalette::Text));
    painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextSingleLine,
                      model()->headerData(logicalIndex, Qt::Horizontal).toString());
    painter->restore();
  }

  bool viewportEvent(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QHeaderView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto* grid = static_cast<const CGridCtrl*>(parentWidget());
    const int column = logicalIndexAt(help->pos());
    const QString tip = column < 0 ? QString() : grid->CellToolTip(0, column);
    if (tip.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
  }
};

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent), m_model(new CGridModel(this)) {
  setHorizontalHeader(new CGridHeader(this));
  setModel(m_model);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();

  const int rowHeight = fontMetrics().height() + 8;
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  horizontalHeader()->setFixedHeight(rowHeight);
  horizontalHeader()->setMinimumSectionSize(8);

  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowDoubleClicked(index.row() + 1); });
  SetRowCount(1);
}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::SetRowCount(int rowCount) {
  const bool cuts = rowCount < GetRowCount();
  m_model->SetRows(std::max(1, rowCount) - 1);
  if (cuts) RemeasureColumns();
}

int CGridCtrl::GetRowCount() const { return m_model->rowCount() + 1; }

int CGridCtrl::AppendRow() {
  const int row = GetRowCount();
  SetRowCount(row + 1);
  return row;
}

void CGridCtrl::SetColumnCount(int columnCount) {
  m_model->SetColumns(std::max(0, columnCount));
  RemeasureColumns();
}

int CGridCtrl::GetColumnCount() const { return m_model->columnCount(); }

void CGridCtrl::ResetRows(int rowCount) {
  clearSelection();
  m_model->ClearRows(std::max(1, rowCount) - 1);
  RemeasureColumns();
}

bool CGridCtrl::SetItemText(int row, int column, const QString& text) {
  if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) return false;
  if (row == 0) {
    m_model->SetHeaderText(column, text);
  } else {
    m_model->SetText(ToModelRow(row), column, text);
  }
  NoteText(column, text);
  return true;
}

QString CGridCtrl::GetItemText(int row, int column) const {
  if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) return {};
  return row == 0 ? m_model->HeaderText(column) : m_model->Text(ToModelRow(row), column);
}

bool CGridCtrl::SetRowTexts(int row, const QStringList& texts) {
  if (row < 0 || row >= GetRowCount() || texts.size() > GetColumnCount()) return false;
  for (int column = 0; column < texts.size(); ++column) SetItemText(row, column, texts[column]);
  return true;
}

bool CGridCtrl::SetHeaderTexts(const QStringList& texts) { return SetRowTexts(0, texts); }

QColor CGridCtrl::GetItemBkColour(int row, int column) const {
  if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) return {};
  return row == 0 ? HeaderColor() : CellColor();
}

void CGridCtrl::SetCellAlignment(Qt::Alignment alignment) {
  m_model->SetDefaultAlignment(alignment);
  m_model->RefreshAll();
}

void CGridCtrl::SetColumnAlignment(int column, Qt::Alignment alignment) {
  if (column < 0) return;
  m_model->SetColumnAlignment(column, alignment);
  m_model->RefreshAll();
}

void CGridCtrl::SetColumnWidth(int column, int width) { setColumnWidth(column, width); }

int CGridCtrl::GetColumnWidth(int column) const { return columnWidth(column); }

void CGridCtrl::SetColumnProportions(const QVector<int>& proportions) {
  m_proportions = proportions;
  horizontalHeader()->setStretchLastSection(!proportions.isEmpty());
  setHorizontalScrollBarPolicy(proportions.isEmpty() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  ApplyProportions();
}

void CGridCtrl::ApplyProportions() {
  const int columns = std::min(GetColumnCount(), static_cast<int>(m_proportions.size()));
  if (columns == 0) return;
  const int total = std::accumulate(m_proportions.begin(), m_proportions.begin() + columns, 0);
  if (total <= 0) return;
  const int width = viewport()->width();
  QVector<int> widths(columns);
  int spare = 0, lacking = 0;  // what the wide columns can give, what the narrow ones lack
  for (int column = 0; column < columns; ++column) {
    widths[column] = width * m_proportions[column] / total;
    const int need = ColumnNeed(column);
    if (widths[column] > need)
      spare += widths[column] - need;
    else
      lacking += need - widths[column];
  }
  // A column cut while its neighbour stands half empty helps nobody: room moves from the columns
  // wider than their texts to the ones narrower, each giving in proportion to what it can spare.
  const int moved = std::min(spare, lacking);
  if (moved > 0) {
    for (int column = 0; column < columns; ++column) {
      const int need = ColumnNeed(column);
      if (widths[column] > need)
        widths[column] -= static_cast<int>(static_cast<long long>(widths[column] - need) * moved / spare);
      else
        widths[column] += static_cast<int>(static_cast<long long>(need - widths[column]) * moved / lacking);
    }
  }
  int used = 0;
  for (int column = 0; column < columns - 1; ++column) {
    setColumnWidth(column, widths[column]);
    used += widths[column];
  }
  setColumnWidth(columns - 1, std::max(0, width - used));
}

int CGridCtrl::TextNeed(const QString& text) const {
  if (text.isEmpty()) return 0;
  // The item delegate keeps a margin of the focus frame and one pixel on either side of the text.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return fontMetrics().horizontalAdvance(text) + 2 * margin + 2;
}

int CGridCtrl::ColumnNeed(int column) const { return m_needs.value(column); }

void CGridCtrl::NoteText(int column, const QString& text) {
  if (m_needs.size() < GetColumnCount()) m_needs.resize(GetColumnCount());
  const int need = TextNeed(text);
  if (need <= m_needs[column]) return;
  m_needs[column] = need;
  ApplyProportions();
}

// Only after texts went away: a growing column is noted text by text, so thousands of rows are
// never measured again.
void CGridCtrl::RemeasureColumns() {
  m_needs.fill(0, GetColumnCount());
  for (int column = 0; column < GetColumnCount(); ++column) {
    int need = TextNeed(m_model->HeaderText(column));
    for (int row = 0; row < m_model->rowCount(); ++row)
      need = std::max(need, TextNeed(m_model->Text(row, column)));
    m_needs[column] = need;
  }
  ApplyProportions();
}

bool CGridCtrl::IsCellCut(int row, int column) const {
  if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) return false;
  return TextNeed(GetItemText(row, column)) > columnWidth(column);
}

QString CGridCtrl::CellToolTip(int row, int column) const {
  return IsCellCut(row, column) ? GetItemText(row, column) : QString();
}

bool CGridCtrl::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  const QString tip = index.isValid() ? CellToolTip(index.row() + 1, index.column()) : QString();
  if (tip.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
  }
  return true;
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  ApplyProportions();
}

int CGridCtrl::GetSelectedRow() const {
  const QVector<int> rows = GetSelectedRows();
  return rows.isEmpty() ? -1 : rows.front();
}

QVector<int> CGridCtrl::GetSelectedRows() const {
  QVector<int> rows;
  if (!selectionModel()) return rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CGridCtrl::SetSelectedRow(int row) {
  if (row < 1 || row >= GetRowCount()) {
    clearSelection();
    return;
  }
  selectRow(ToModelRow(row));
}

void CGridCtrl::EnsureRowVisible(int row) {
  if (row < 1 || row >= GetRowCount() || GetColumnCount() == 0) return;
  scrollTo(m_model->index(ToModelRow(row), 0));
}
