#include "ui/CTabCtrlEx.h"

#include <QShowEvent>

CTabCtrlEx::CTabCtrlEx(QWidget* parent) : QTabWidget(parent) {
  // Pages added before the control is on screen change the current tab too; those changes are
  // reported once, by the show event.
  connect(this, &QTabWidget::currentChanged, this, [this] {
    if (isVisible()) ReportCurrent();
  });
}

int CTabCtrlEx::AddPage(QWidget* page, const QString& label, const QString& toolTip) {
  const int index = addTab(page, label);
  if (!toolTip.isEmpty()) setTabToolTip(index, toolTip);
  return index;
}

void CTabCtrlEx::showEvent(QShowEvent* event) {
  QTabWidget::showEvent(event);
  // A window coming back from the minimised state shows the same page as before: nothing to report.
  if (!event->spontaneous()) ReportCurrent();
}

void CTabCtrlEx::ReportCurrent() {
  const int index = currentIndex();
  if (index >= 0) emit PageShown(index, widget(index));
}
