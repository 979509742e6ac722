// The table view of the list pages. Row 0 is the header row (kept in view while the rows scroll);
// rows 1 and on hold the records. Every row count given or returned includes the header row. Cells
// are read-only; whole rows are selected. The cells live in one flat model without a widget or an
// item object per cell, so thousands of rows stay quick.
#pragma once

#include <QColor>
#include <QTableView>
#include <QVector>

class CGridModel;

class CGridCtrl : public QTableView {
  Q_OBJECT

 public:
  static QColor HeaderColor() { return QColor(115, 136, 193); }
  static QColor CellColor() { return QColor(80, 167, 133); }

  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // Rows including the header; at least 1. New rows are empty, rows cut off are forgotten.
  void SetRowCount(int rowCount);
  int GetRowCount() const;
  int AppendRow();  // the index of the new row
  void SetColumnCount(int columnCount);
  int GetColumnCount() const;
  // Empties every record cell and sets the row count; the header texts stay.
  void ResetRows(int rowCount);

  // Both return false / an empty text outside the table.
  bool SetItemText(int row, int column, const QString& text);
  QString GetItemText(int row, int column) const;
  bool SetRowTexts(int row, const QStringList& texts);  // one text per column from column 0
  bool SetHeaderTexts(const QStringList& texts);        // row 0

  QColor GetItemBkColour(int row, int column) const;  // invalid outside the table

  // Alignment of the record cells: one for all, or per column. Header texts are always centred.
  void SetCellAlignment(Qt::Alignment alignment);
  void SetColumnAlignment(int column, Qt::Alignment alignment);

  void SetColumnWidth(int column, int width);
  int GetColumnWidth(int column) const;
  // Widths in these proportions, stretched to the view's width; the last column takes what is left.
  // A column too narrow for its longest text (header included) takes room from columns wider than
  // theirs, as much as they can spare. Kept up to date when the view is resized and as texts
  // arrive. An empty list goes back to fixed widths.
  void SetColumnProportions(const QVector<int>& proportions);

  // Whether a cell's text is wider than its column shows; such a cell shows it whole as a tooltip.
  bool IsCellCut(int row, int column) const;
  QString CellToolTip(int row, int column) const;  // empty for a cell shown whole
  // The width a column needs to show its longest text whole.
  int ColumnNeed(int column) const;

  // Selection by whole rows, in grid rows (the header cannot be selected).
  int GetSelectedRow() const;  // the first selected row, -1 when none
  QVector<int> GetSelectedRows() const;
  void SetSelectedRow(int row);  // -1 clears the selection
  void EnsureRowVisible(int row);

 signals:
  void RowDoubleClicked(int row);  // a record row

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ApplyProportions();
  int TextNeed(const QString& text) const;
  void NoteText(int column, const QString& text);
  void RemeasureColumns();
  int ToModelRow(int row) const { return row - 1; }

  CGridModel* m_model;
  QVector<int> m_proportions;
  QVector<int> m_needs;  // by column: the width of its longest text, header included
};
