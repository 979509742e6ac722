// The tab control that hosts dialog pages. It tells its dialog which page has come to the front:
// the current page when the control is first shown, then the page of every tab the user chooses.
#pragma once

#include <QTabWidget>

class CTabCtrlEx : public QTabWidget {
  Q_OBJECT

 public:
  explicit CTabCtrlEx(QWidget* parent = nullptr);

  int AddPage(QWidget* page, const QString& label, const QString& toolTip = QString());

 signals:
  void PageShown(int index, QWidget* page);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ReportCurrent();
};
